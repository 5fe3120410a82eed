#include "protocol/uGetBackPwd.h"

#include "protocol/AccountRequests.h"
#include "protocol/DialogParts.h"

#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace zelto {
namespace {

const QString kCaption = QStringLiteral(u"提示");
constexpr TRowLayout kRows{12, 28, 8, 70, 84, 200};

} // namespace

TfrmGetBackPwd::TfrmGetBackPwd(IAccountRequests &requests)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , m_requests(requests)
{
    setWindowTitle(QStringLiteral(u"找回密码"));
    setFixedSize(309, 246);
    edtID = AddEditRow(*this, kRows, 0, {QStringLiteral(u"帐号")});
    edBtd = AddEditRow(*this, kRows, 1, {QStringLiteral(u"生日")});
    edQ1 = AddEditRow(*this, kRows, 2, {QStringLiteral(u"问题一")});
    edA1 = AddEditRow(*this, kRows, 3, {QStringLiteral(u"答案一")});
    edQ2 = AddEditRow(*this, kRows, 4, {QStringLiteral(u"问题二")});
    edA2 = AddEditRow(*this, kRows, 5, {QStringLiteral(u"答案二")});
    edPwd = AddEditRow(*this, kRows, 6, {QStringLiteral(u"新的密码")});
    btnOK = AddButton(*this, QStringLiteral(u"提交"), QRect(140, 212, 75, 25));
    btnOK->setDefault(true);
    BitBtn2 = AddButton(*this, QStringLiteral(u"取消"), QRect(224, 212, 75, 25));
    connect(btnOK, &QPushButton::clicked, this, &TfrmGetBackPwd::btnOKClick);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmGetBackPwd::BitBtn2Click);
    connect(this, &QDialog::finished, this, &TfrmGetBackPwd::FormClose);
}

void TfrmGetBackPwd::btnOKClick()
{
    const std::pair<QLineEdit *, QString> required[] = {
        {edtID, QStringLiteral(u"帐号不能为空")},
        {edBtd, QStringLiteral(u"生日不能为空")},
        {edQ1, QStringLiteral(u"问题1不能为空")},
        {edQ2, QStringLiteral(u"问题2不能为空")},
        {edA1, QStringLiteral(u"答案1不能为空")},
        {edA2, QStringLiteral(u"答案2不能为空")},
        {edPwd, QStringLiteral(u"新密码不能为空")},
    };
    for (const auto &[edit, message] : required) {
        if (!RequireText(*edit, message, kCaption))
            return;
    }
    btnOK->setEnabled(false);
    m_requests.SendGetBackPassWord(edtID->text(), edPwd->text(), edBtd->text(), edA2->text(), edQ2->text(),
        edA1->text(), edQ1->text());
}

void TfrmGetBackPwd::FormClose()
{
    for (QLineEdit *edit : {edtID, edBtd, edQ1, edA1, edQ2, edA2, edPwd})
        edit->clear();
    btnOK->setEnabled(true);
    BitBtn2->setEnabled(true);
}

} // namespace zelto

#include "platform/FSmallAccount.h"

#include "platform/PlatformSession.h"
#include "ui/IuApplication.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zelto {
namespace {

constexpr int kClientWidth = 180;
constexpr int kClientHeight = 160;
constexpr int kLineHeight = 22;
constexpr int kConfirmHeight = 32;
constexpr int kConfirmFontPixels = 13;
constexpr int kEntryRole = Qt::UserRole;

// The page for adding a sub-account: built like the others, never shown.
QWidget *AddSmallAccountPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("小号昵称 :")));
    layout->addWidget(new QLineEdit);
    layout->addWidget(new QPushButton(QStringLiteral("添加小号")));
    layout->addStretch();
    return page;
}

} // namespace

TFrmSmallAccount::TFrmSmallAccount(TSecLoginFlow &secLogin, IuApplication &app, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , FSecLogin(secLogin)
    , FApp(app)
    , FPages(new QTabWidget(this))
    , FList(new QListWidget)
    , FConfirm(new QPushButton(QStringLiteral("确认登录游戏")))
{
    setObjectName(QStringLiteral("FrmSmallAccount"));
    setWindowTitle(QStringLiteral("可用账号选择"));
    setFixedSize(kClientWidth, kClientHeight);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FPages);

    auto *loginPage = new QWidget;
    auto *pageLayout = new QVBoxLayout(loginPage);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    FList->setUniformItemSizes(true);
    pageLayout->addWidget(FList);
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(kConfirmFontPixels);
    FConfirm->setFont(font);
    FConfirm->setFixedHeight(kConfirmHeight);
    FConfirm->setAutoDefault(false); // Enter confirms only with a line selected
    pageLayout->addWidget(FConfirm);
    FPages->addTab(loginPage, QStringLiteral("登录"));
    FPages->addTab(AddSmallAccountPage(), QStringLiteral("添加小号"));
    FPages->setTabVisible(1, false);

    // A click, or the arrow keys, choose a line.
    connect(FList, &QListWidget::currentItemChanged, this, &TFrmSmallAccount::SelectLine);
    connect(FList, &QListWidget::itemDoubleClicked, this, [this] { GotoSecLogin(); });
    connect(FConfirm, &QPushButton::clicked, this, &TFrmSmallAccount::GotoSecLogin);
}

void TFrmSmallAccount::SelectSmaillAccount(const QList<TSmallInfo> &StrList)
{
    FEntries = StrList;
    FList->clear();
    for (qsizetype i = 0; i < FEntries.size(); ++i) {
        auto *line = new QListWidgetItem(FEntries[i].nickname, FList);
        line->setData(kEntryRole, int(i));
        line->setSizeHint(QSize(0, kLineHeight));
    }
    if (FList->count() == 0)
        return;
    FList->setCurrentRow(0);
}

void TFrmSmallAccount::SelectLine(QListWidgetItem *line)
{
    if (!line || !line->isSelected())
        return;
    const TSmallInfo &entry = FEntries[line->data(kEntryRole).toInt()];
    TPlatformSession &session = PlatformSession();
    session.small_user_name = entry.username;
    session.small_id = entry.smallId;
}

void TFrmSmallAccount::GotoSecLogin()
{
    if (!FSecLogin.SecLoginParam(PlatformSession().small_id))
        return;
    FApp.StartGame();
    accept();
}

void TFrmSmallAccount::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return QDialog::keyPressEvent(event);
    if (FList->currentItem() && FList->currentItem()->isSelected())
        GotoSecLogin();
}

void TFrmSmallAccount::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    raise(); // top-most again each time it is shown
}

} // namespace zelto

#include "support/SkinTree.h"
#include "ui/uCliTypes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <memory>

namespace zelto {
namespace {

using testing::BinaryValue;
using testing::PngOf;

QPixmap Solid(const QColor &colour, QSize size = QSize(40, 20))
{
    QPixmap pixmap(size);
    pixmap.fill(colour);
    return pixmap;
}

template <typename T>
std::unique_ptr<T> Create(const char *className, QWidget &parent)
{
    RegisterSkinClasses();
    return std::unique_ptr<T>(dynamic_cast<T *>(CreateSkinControl(QString::fromLatin1(className), &parent)));
}

TEST(ControlRegistry, RegistersTheTwentyNineClassesInOrder)
{
    RegisterSkinClasses();
    const QStringList expected = {
        "TuImageButton", "TuURLButton", "TuStartBtton", "TuMinimizeButton", "TuCloseButton",
        "TuConfigButton", "TuRegisterButton", "TuChangePassButton", "TuGetBackPassButton",
        "TuWebBrowser", "TuCurProgressBar", "TuAllProgressBar", "TuLable", "TuInfLable", "TuImage",
        "TuTreeView", "TuServerCombobox", "TuResolutionCombobox", "TuResolutionButton",
        "TuRepairButton", "TuForm", "TuIDEdit", "TuPWEdit", "TuPhoneBtn", "TuPhoneRepairButton",
        "TLoginExchange", "TuQQBtton", "TuWeiXinBtton", "Tu360Btton",
    };
    EXPECT_EQ(RegisteredSkinClasses(), expected);
    QWidget parent;
    for (const QString &name : expected) {
        std::unique_ptr<TuControl> control(CreateSkinControl(name, &parent));
        ASSERT_NE(control, nullptr) << name.toStdString();
        EXPECT_EQ(SkinClassName(&control->Widget()), name);
    }
    for (const char *base : { "TuEdit", "TCheckImageButton", "TuCustomForm", "TButton" })
        EXPECT_EQ(CreateSkinControl(QString::fromLatin1(base), &parent), nullptr) << base;
}

struct PictureCase {
    const char *what;
    bool checkButton;
    bool checked;
    bool enabled;
    bool down;
    bool hot;
    bool withHot;
    bool withDown;
    bool withDisabled;
    TButtonPicture expected;
};

class PictureRule : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureRule, ChoosesThePictureTheSkinsRelyOn)
{
    const PictureCase &c = GetParam();
    QWidget parent;
    std::unique_ptr<TPictureButton> button = c.checkButton
        ? std::unique_ptr<TPictureButton>(Create<TLoginExchange>("TLoginExchange", parent))
        : std::unique_ptr<TPictureButton>(Create<TuImageButton>("TuImageButton", parent));
    button->SetPicture(TButtonPicture::Normal, Solid(Qt::red));
    if (c.withHot)
        button->SetPicture(TButtonPicture::Hot, Solid(Qt::green));
    if (c.withDown)
        button->SetPicture(TButtonPicture::Down, Solid(Qt::blue));
    if (c.withDisabled)
        button->SetPicture(TButtonPicture::Disabled, Solid(Qt::gray));
    if (auto *check = dynamic_cast<TCheckImageButton *>(button.get()))
        check->SetCheck(c.checked);
    button->setEnabled(c.enabled);
    button->setDown(c.down);
    button->setAttribute(Qt::WA_UnderMouse, c.hot);
    EXPECT_EQ(button->ShownPicture(), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Buttons, PictureRule, ::testing::Values(
    PictureCase { "idle", false, false, true, false, false, true, true, true, TButtonPicture::Normal },
    PictureCase { "hot", false, false, true, false, true, true, true, true, TButtonPicture::Hot },
    PictureCase { "hot without hot picture", false, false, true, false, true, false, true, true, TButtonPicture::Normal },
    PictureCase { "down beats hot", false, false, true, true, true, true, true, true, TButtonPicture::Down },
    PictureCase { "down without down picture", false, false, true, true, true, true, false, true, TButtonPicture::Hot },
    PictureCase { "disabled", false, false, false, false, true, true, true, true, TButtonPicture::Disabled },
    PictureCase { "disabled without picture", false, false, false, false, false, true, true, false, TButtonPicture::Normal },
    PictureCase { "checked", true, true, true, false, true, true, true, true, TButtonPicture::Disabled },
    PictureCase { "checked without disabled picture", true, true, true, false, true, true, true, false, TButtonPicture::Normal },
    PictureCase { "unchecked two-state", true, false, true, false, false, true, true, true, TButtonPicture::Normal }));

TEST(PictureButton, PaintsTheChosenPictureAndReadsItFromTheSkin)
{
    QWidget parent;
    auto button = Create<TuImageButton>("TuImageButton", parent);
    button->resize(40, 20);
    EXPECT_TRUE(button->SetSkinProperty(QStringLiteral("Picture.Data"), BinaryValue(PngOf(Qt::red, { 40, 20 }))));
    EXPECT_TRUE(button->SetSkinProperty(QStringLiteral("PictureHot.Data"), BinaryValue(PngOf(Qt::green, { 40, 20 }))));
    EXPECT_EQ(button->grab().toImage().pixelColor(20, 10), QColor(Qt::red));
    button->setAttribute(Qt::WA_UnderMouse, true);
    EXPECT_EQ(button->grab().toImage().pixelColor(20, 10), QColor(Qt::green));
}

TEST(PictureButton, TwoStateButtonTakesOnlyItsTwoPictures)
{
    QWidget parent;
    auto exchange = Create<TLoginExchange>("TLoginExchange", parent);
    EXPECT_EQ(exchange->geometry(), QRect(0, 0, 150, 35));
    EXPECT_TRUE(exchange->SetSkinProperty(QStringLiteral("PictureDisabled.Data"), BinaryValue(PngOf(Qt::gray, { 4, 4 }))));
    EXPECT_FALSE(exchange->SetSkinProperty(QStringLiteral("PictureHot.Data"), BinaryValue(PngOf(Qt::gray, { 4, 4 }))));
}

TEST(PictureButton, ReadsTheToolkitsPictureFormToo)
{
    // A graphic kind name, a 32-bit length, then the file.
    const QByteArray file = PngOf(Qt::red, { 4, 4 });
    QByteArray toolkitForm = QByteArray("\x07TBitmap", 8);
    const qint32 length = qint32(file.size());
    toolkitForm.append(reinterpret_cast<const char *>(&length), 4).append(file);
    EXPECT_EQ(PictureFileFromData(toolkitForm), file);
    EXPECT_EQ(PictureFileFromData(QByteArray("\x0ATPngImage", 11) + file), file);
    EXPECT_TRUE(PictureFileFromData("garbage").isEmpty());
}

TEST(Edit, FirstHelpTextBecomesTheDefault)
{
    QWidget parent;
    auto edit = Create<TuIDEdit>("TuIDEdit", parent);
    EXPECT_EQ(edit->HelpText(), QStringLiteral(u"用户名/邮箱/手机号"));
    edit->SetHelpText(QStringLiteral("other"));
    EXPECT_EQ(edit->HelpText(), QStringLiteral("other"));
    EXPECT_EQ(edit->HelpTextDef(), QStringLiteral(u"用户名/邮箱/手机号"));
    auto password = Create<TuPWEdit>("TuPWEdit", parent);
    EXPECT_EQ(password->HelpText(), QStringLiteral(u"请输入密码"));
    EXPECT_EQ(password->HelpTextFont().color, QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(password->HelpTextFont().font.family(), QStringLiteral(u"宋体"));
}

TEST(Edit, DrawsTheHelpTextOnlyWhenEmptyAndUnfocused)
{
    QWidget parent;
    auto edit = Create<TuIDEdit>("TuIDEdit", parent);
    edit->resize(160, 24);
    SkinFont red = edit->HelpTextFont();
    red.color = Qt::red;
    edit->SetHelpTextFont(red);
    const auto redPixels = [&edit] {
        const QImage image = edit->grab().toImage();
        int count = 0;
        int leftmost = image.width();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 120 && c.blue() < 120) {
                    ++count;
                    leftmost = std::min(leftmost, x);
                }
            }
        }
        return std::pair(count, leftmost);
    };
    const auto [shown, left] = redPixels();
    EXPECT_GT(shown, 10);
    EXPECT_GE(left, 5);
    EXPECT_LE(left, 8);
    edit->setText(QStringLiteral("player"));
    EXPECT_EQ(redPixels().first, 0);
}

TEST(Edit, FormattingRectangleCentresTheText)
{
    struct Case { int height; int characterHeight; bool border3D; int top; };
    for (const Case &c : { Case { 20, 12, true, 0 }, Case { 30, 12, true, 5 }, Case { 30, 12, false, 6 } })
        EXPECT_EQ(TuEdit::FormattingTop(c.height, c.characterHeight, c.border3D), c.top) << c.height;
}

TEST(Edit, SwallowsEnterAndMasksPasswords)
{
    QWidget parent;
    auto password = Create<TuPWEdit>("TuPWEdit", parent);
    password->setText(QStringLiteral("ab"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(password.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(password->text(), QStringLiteral("ab"));
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password.get()), '*');
}

TEST(ResolutionCombobox, DrawsFlatFrameAndButtonPictureWithoutThreeDBorder)
{
    QWidget parent;
    auto box = Create<TuResolutionCombobox>("TuResolutionCombobox", parent);
    box->resize(120, 24);
    ASSERT_TRUE(box->SetSkinProperty(QStringLiteral("ButtonPicture.Data"), BinaryValue(PngOf(Qt::red, { 8, 8 }))));
    EXPECT_EQ(box->ButtonPictureRect(), QRect(102, 1, 17, 22));
    ASSERT_TRUE(box->SetSkinProperty(QStringLiteral("Ctl3D"), testing::BoolValue(false)));
    const QImage flat = box->grab().toImage();
    EXPECT_EQ(flat.pixelColor(0, 12), QColor::fromRgb(TuResolutionCombobox::kFrameColour));
    EXPECT_EQ(flat.pixelColor(110, 12), QColor(Qt::red));
    ASSERT_TRUE(box->SetSkinProperty(QStringLiteral("Ctl3D"), testing::BoolValue(true)));
    EXPECT_NE(box->grab().toImage().pixelColor(110, 12), QColor(Qt::red));
}

TEST(ProgressBar, FillsItsShareInTheSkinsColours)
{
    QWidget parent;
    auto bar = Create<TuProgressBar>("TuCurProgressBar", parent);
    bar->resize(102, 10);
    ASSERT_TRUE(bar->SetSkinProperty(QStringLiteral("BackgroundColor"), testing::IntValue(0x000000)));
    ASSERT_TRUE(bar->SetSkinProperty(QStringLiteral("Colors.Color"), testing::IdentValue(QStringLiteral("clLime"))));
    bar->SetMax(4);
    bar->SetPosition(1);
    EXPECT_EQ(bar->FilledWidth(), 25);
    const QImage image = bar->grab().toImage();
    EXPECT_EQ(image.pixelColor(10, 5), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(60, 5), QColor(Qt::black));
    bar->SetMax(0); // as bound: nothing to show, nothing divided by zero
    EXPECT_EQ(bar->FilledWidth(), 0);
}

TEST(SkinValues, ReadsTheToolkitsColours)
{
    EXPECT_EQ(ColorFromTColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorFromTColor(0x7F9DB9 & 0xFFFFFF), QColor(0xB9, 0x9D, 0x7F));
    EXPECT_EQ(*ColorValue(testing::IdentValue(QStringLiteral("clBtnFace"))), QColor(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(*ColorValue(testing::IdentValue(QStringLiteral("clYellow"))), QColor(255, 255, 0));
    EXPECT_FALSE(ColorValue(testing::IdentValue(QStringLiteral("clNoSuchColour"))).has_value());
}

} // namespace
} // namespace zelto

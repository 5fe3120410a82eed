#include "ui/PictureButtons.h"

#include "ui/IuApplication.h"

#include <QApplication>
#include <QBitmap>
#include <QPainter>
#include <QScopeGuard>
#include <QStyle>

namespace zelto {
namespace {

struct PictureProperty {
    const char *name;
    TButtonPicture which;
};
constexpr PictureProperty kPictureProperties[] = {
    { "Picture.Data", TButtonPicture::Normal },
    { "PictureHot.Data", TButtonPicture::Hot },
    { "PictureDown.Data", TButtonPicture::Down },
    { "PictureDisabled.Data", TButtonPicture::Disabled },
};

// The button stays disabled while the controller works, also when the work throws.
template <typename Work>
void WhileDisabled(QWidget &button, Work work)
{
    button.setEnabled(false);
    const auto enableAgain = qScopeGuard([&button] { button.setEnabled(true); });
    work(*g_ClientApp);
}

} // namespace

TPictureButton::TPictureButton(QWidget *parent, const char *className)
    : QAbstractButton(parent)
    , TuControl(*this, className)
{
    connect(this, &QAbstractButton::clicked, this, [this] { Click(); });
}

void TPictureButton::SetPicture(TButtonPicture which, const QPixmap &picture)
{
    m_pictures[size_t(which)] = picture;
    AppearanceMayHaveChanged();
}

const QPixmap &TPictureButton::Picture(TButtonPicture which) const { return m_pictures[size_t(which)]; }

TButtonPicture TPictureButton::ShownPicture() const
{
    const auto has = [this](TButtonPicture which) { return !Picture(which).isNull(); };
    if (Checked())
        return has(TButtonPicture::Disabled) ? TButtonPicture::Disabled : TButtonPicture::Normal;
    if (!isEnabled() && has(TButtonPicture::Disabled))
        return TButtonPicture::Disabled;
    if (isDown() && has(TButtonPicture::Down))
        return TButtonPicture::Down;
    if ((underMouse() || hasFocus()) && has(TButtonPicture::Hot))
        return TButtonPicture::Hot;
    return TButtonPicture::Normal;
}

bool TPictureButton::HasPicture(TButtonPicture) const { return true; }

bool TPictureButton::SetSkinProperty(const QString &name, const TComponentValue &value)
{
    for (const PictureProperty &property : kPictureProperties) {
        if (name != QLatin1String(property.name) || !HasPicture(property.which))
            continue;
        if (value.kind != TValueKind::Binary)
            return false;
        QPixmap picture;
        picture.loadFromData(PictureFileFromData(value.bytes));
        SetPicture(property.which, picture);
        return true;
    }
    return TuControl::SetSkinProperty(name, value);
}

QRegion TPictureButton::OpaqueShape() const
{
    const QPixmap &shown = Picture(ShownPicture());
    if (shown.isNull())
        return {};
    const QRect placed = QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, shown.size(), rect());
    if (!shown.hasAlphaChannel())
        return QRegion(placed) & rect();
    return QRegion(shown.mask()).translated(placed.topLeft()) & rect();
}

void TPictureButton::paintEvent(QPaintEvent *)
{
    const QPixmap &shown = Picture(ShownPicture());
    if (shown.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, shown.size(), rect()), shown);
}

void TPictureButton::AppearanceMayHaveChanged()
{
    const TButtonPicture shown = ShownPicture();
    update();
    if (shown != m_lastShown) {
        m_lastShown = shown;
        ShapeChanged();
    }
}

bool TPictureButton::event(QEvent *event)
{
    const bool handled = QAbstractButton::event(event);
    switch (event->type()) {
    case QEvent::Enter: case QEvent::Leave: case QEvent::FocusIn: case QEvent::FocusOut:
    case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::EnabledChange:
        AppearanceMayHaveChanged();
        break;
    default:
        break;
    }
    return handled;
}

TuImageButton::TuImageButton(QWidget *parent, const char *className, TButtonAction action)
    : TPictureButton(parent, className)
    , m_action(action)
{
}

void TuImageButton::Click()
{
    if (m_action == TButtonAction::Minimize) {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                window->showMinimized();
        }
        return;
    }
    if (!g_ClientApp) {
        if (m_action == TButtonAction::CloseLauncher)
            window()->close();
        return;
    }
    switch (m_action) {
    case TButtonAction::None: case TButtonAction::Minimize: break;
    case TButtonAction::StartGame: WhileDisabled(*this, [](IuApplication &app) { app.StartGame(); }); break;
    case TButtonAction::QQLogin: WhileDisabled(*this, [](IuApplication &app) { app.LoginQueryQQandWXUrl(2); }); break;
    case TButtonAction::WeChatLogin: WhileDisabled(*this, [](IuApplication &app) { app.LoginQueryQQandWXUrl(1); }); break;
    case TButtonAction::Start360: WhileDisabled(*this, [](IuApplication &app) { app.Start360(); }); break;
    case TButtonAction::CloseLauncher: g_ClientApp->CloseLauncher(); break;
    case TButtonAction::ShowSettings: g_ClientApp->ShowSettings(); break;
    case TButtonAction::ShowNewAccount: g_ClientApp->ShowNewAccount(); break;
    case TButtonAction::ShowChangePwd: g_ClientApp->ShowChangePwd(); break;
    case TButtonAction::ShowGetBackPwd: g_ClientApp->ShowGetBackPwd(); break;
    case TButtonAction::OpenRepair: g_ClientApp->OpenRepair(); break;
    case TButtonAction::ShowPhoneReg: g_ClientApp->ShowPhoneReg(); break;
    case TButtonAction::ToggleResolution: g_ClientApp->ToggleResolutionDropDown(); break;
    }
}

TuURLButton::TuURLButton(QWidget *parent)
    : TuImageButton(parent, "TuURLButton", TButtonAction::None)
{
}

bool TuURLButton::SetSkinProperty(const QString &name, const TComponentValue &value)
{
    if (name == QLatin1String("URL")) {
        const auto text = TextValue(value);
        if (text)
            FURL = *text;
        return text.has_value();
    }
    if (name == QLatin1String("URLKind")) {
        static const QStringList kinds = { QStringLiteral("ukCustom"), QStringLiteral("ukHomePage"),
            QStringLiteral("ukPayPage"), QStringLiteral("ukContactPage") };
        const qsizetype kind = value.kind == TValueKind::Ident ? kinds.indexOf(value.text) : -1;
        if (kind >= 0)
            FURLKind = TuURLKind(kind);
        return kind >= 0;
    }
    return TuImageButton::SetSkinProperty(name, value);
}

void TuURLButton::Click()
{
    if (g_ClientApp)
        WhileDisabled(*this, [this](IuApplication &app) { app.OpenURL(FURL); });
}

TCheckImageButton::TCheckImageButton(QWidget *parent, const char *className)
    : TPictureButton(parent, className)
{
    setGeometry(0, 0, 150, 35);
}

void TCheckImageButton::SetCheck(bool check)
{
    m_check = check;
    AppearanceMayHaveChanged();
}

bool TCheckImageButton::HasPicture(TButtonPicture which) const
{
    return which == TButtonPicture::Normal || which == TButtonPicture::Disabled;
}

bool TCheckImageButton::SetSkinProperty(const QString &name, const TComponentValue &value)
{
    if (name == QLatin1String("Check")) {
        const auto flag = BooleanValue(value);
        if (flag)
            SetCheck(*flag);
        return flag.has_value();
    }
    return TPictureButton::SetSkinProperty(name, value);
}

TLoginExchange::TLoginExchange(QWidget *parent)
    : TCheckImageButton(parent, "TLoginExchange")
{
}

void TLoginExchange::Click()
{
    SetCheck(!Check());
    if (g_ClientApp)
        g_ClientApp->SetLoginPasswd();
}

} // namespace zelto

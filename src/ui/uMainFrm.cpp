#include "ui/uMainFrm.h"

#include "app/HomePath.h"
#include "app/Trace.h"
#include "app/uLogin.h"
#include "os/Display.h"
#include "ui/SkinBuilder.h"
#include "ui/SkinStream.h"
#include "ui/uCliTypes.h"
#include "ui/uSplashFrm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>

namespace zelto {
namespace {

constexpr int kShadowTag = 9999;
constexpr QRgb kGroupColour = 0xFFFFFF00;      // TColor $00FFFF
constexpr QRgb kActiveServerColour = 0xFF00FF00;
constexpr QRgb kInactiveServerColour = 0xFFFF0000;

// The buttons that need a live login gate.
constexpr const char *kGatedButtons[] = {
    "TuStartBtton", "TuRegisterButton", "TuGetBackPassButton", "TuChangePassButton", "TuQQBtton", "TuWeiXinBtton",
};

} // namespace

TMainForm::TMainForm(TSplashForm_Login_ZeltoPrime &shadow, TuClientApp *controller)
    : TuForm(&shadow, "TMainForm")
    , m_shadow(shadow)
    , m_controller(controller)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("MainForm"));
    resize(867, 461);
    SetTransparentColor(true, Color());
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);
    SetBackgroundDrag(false);
    CentreOnDesktop(*this);
}

void TMainForm::FormCreate(const SkinReader &readSkin)
{
    SetHomePath(QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/'));
    LoadFromSkinData(readSkin);
    if (m_controller) {
        m_controller->FMainForm = this;
        m_controller->Open();
    }
}

void TMainForm::LoadFromSkinData(const SkinReader &readSkin)
{
    m_trueColour = os::IsTrueColour(os::Display().ColourDepth());
    setUpdatesEnabled(false);
    try {
        CentreOnDesktop(*this);
        readSkin(*this);
        CentreOnDesktop(*this);
    } catch (...) {
        // What was read so far stays; the launcher goes on with it.
    }
    if (m_controller)
        m_controller->FMainForm = this;
    for (TuControl *control : SkinControlsOf(*this))
        BindControl(*control);
    // With a colour key the window covers only what its controls draw.
    setAttribute(Qt::WA_TranslucentBackground, ColourKeyed());
    ShadowFollows();
    setUpdatesEnabled(true);
    SkinLoaded = true;
    show();
    repaint();
}

void TMainForm::BindControl(TuControl &control)
{
    QWidget &widget = control.Widget();
    const QLatin1StringView name(control.ClassName());
    TuClientApp *app = m_controller;
    for (const char *gated : kGatedButtons) {
        if (name == QLatin1StringView(gated))
            widget.setEnabled(false);
    }
    if (name == QLatin1StringView("TuWebBrowser")) {
        auto &browser = static_cast<TuWebBrowser &>(widget);
        browser.SetSilent(true);
        browser.SetRefuseNewWindows(true);
        if (app)
            app->WebBrowser = &browser;
    } else if (name == QLatin1StringView("TuURLButton")) {
        const auto &button = static_cast<TuURLButton &>(widget);
        if (!app)
            return;
        switch (button.URLKind()) {
        case TuURLKind::ukHomePage:
            app->sHomePage = button.URL();
            Trace(QStringLiteral("sHomePage (%1)").arg(button.URL()));
            break;
        case TuURLKind::ukPayPage:
            app->sPayPage = button.URL();
            Trace(QStringLiteral("sPayPage (%1)").arg(button.URL()));
            break;
        case TuURLKind::ukContactPage:
            app->sContactPage = button.URL();
            Trace(QStringLiteral("sContactPage (%1)").arg(button.URL()));
            break;
        case TuURLKind::ukCustom:
            break;
        }
    } else if (name == QLatin1StringView("TuCurProgressBar") || name == QLatin1StringView("TuAllProgressBar")) {
        auto &bar = static_cast<TuProgressBar &>(widget);
        bar.SetPosition(0);
        bar.SetMin(0);
        bar.SetMax(0);
        if (app)
            (name == QLatin1StringView("TuCurProgressBar") ? app->FTuCurProgressBar : app->FTuAllProgressBar) = &bar;
    } else if (name == QLatin1StringView("TuInfLable")) {
        auto &label = static_cast<TuInfLable &>(widget);
        label.clear();
        if (app)
            app->FTuInfLable = &label;
    } else if (name == QLatin1StringView("TuTreeView")) {
        BindTree(static_cast<TuTreeView &>(widget));
    } else if (name == QLatin1StringView("TuServerCombobox")) {
        auto &box = static_cast<TuServerCombobox &>(widget);
        box.clear();
        if (app)
            connect(&box, &QComboBox::currentIndexChanged, app, [app, &box] { app->ServerComboboxChange(&box); });
    } else if (name == QLatin1StringView("TuResolutionCombobox")) {
        auto &box = static_cast<TuResolutionCombobox &>(widget);
        box.update();
        box.clear();
        if (app) {
            connect(&box, &QComboBox::currentIndexChanged, app, [app] { app->ResolutionComboboxChange(); });
            app->ResolutionCombobox = &box;
        }
    } else if (name == QLatin1StringView("TuIDEdit")) {
        Trace(QStringLiteral(u"绑定账号输入框事件"));
        BindEdit(static_cast<TuEdit &>(widget), false);
        if (app)
            app->EditID = &static_cast<TuEdit &>(widget);
    } else if (name == QLatin1StringView("TuPWEdit")) {
        Trace(QStringLiteral(u"绑定密码输入框事件"));
        BindEdit(static_cast<TuEdit &>(widget), true);
        if (app)
            app->EditPW = &static_cast<TuEdit &>(widget);
    } else if (name == QLatin1StringView("TuImage")) {
        if (m_trueColour && TransparentColor() && widget.isVisibleTo(this)) {
            widget.hide();
            control.SetTag(kShadowTag); // the shadow window draws it, with its alpha
        }
    } else if (name == QLatin1StringView("TuPhoneBtn")) {
        auto &button = static_cast<TuPhoneBtn &>(widget);
        button.SetHint(button.text()); // the caption a countdown restores
        if (app) {
            app->PhoneBtn = &button;
            connect(&button, &TuPhoneBtn::MouseDown, app, [app] { app->PhoneLbMouseDown(); });
        }
    } else if (name == QLatin1StringView("TLoginExchange")) {
        if (app) {
            app->LoginExchange = &static_cast<TLoginExchange &>(widget);
            app->SetLoginPasswd();
        }
    }
}

void TMainForm::BindTree(TuTreeView &tree)
{
    tree.clear();
    tree.SetNodeColour([](const QTreeWidgetItem &node) -> std::optional<QColor> {
        if (!node.parent())
            return QColor::fromRgb(kGroupColour);
        if (const auto active = TuClientApp::ServerActiveOf(node))
            return QColor::fromRgb(*active ? kActiveServerColour : kInactiveServerColour);
        return std::nullopt;
    });
    TuClientApp *app = m_controller;
    if (!app)
        return;
    tree.SetSelectionLocked([app] { return app->FAtCheckVer; });
    connect(&tree, &QTreeWidget::currentItemChanged, app,
        [app](QTreeWidgetItem *node) { app->TreeChangeNode(node); });
    connect(&tree, &TuTreeView::MouseDown, app, &TuClientApp::TreeMouseDown);
    app->TreeView = &tree;
}

void TMainForm::BindEdit(TuEdit &edit, bool keepsTextOnEntry)
{
    connect(&edit, &TuEdit::Entered, this, [&edit, keepsTextOnEntry] {
        if (keepsTextOnEntry) {
            edit.SetHelpText(QString());
        } else if (!edit.HelpText().isEmpty()) {
            edit.SetHelpText(QString());
            edit.clear();
        }
    });
    connect(&edit, &TuEdit::Left, this, [&edit] {
        if (edit.text().isEmpty())
            edit.SetHelpText(edit.HelpTextDef());
    });
}

void TMainForm::ShadowFollows()
{
    m_shadow.setGeometry(geometry());
    m_shadow.UpdateForm();
}

void TMainForm::mousePressEvent(QMouseEvent *event) { event->accept(); }

void TMainForm::moveEvent(QMoveEvent *event)
{
    TuForm::moveEvent(event);
    if (SkinLoaded && m_shadow.geometry() != geometry())
        ShadowFollows();
}

void ReadSkin(TuCustomForm &window, const QByteArray &stream)
{
    const TComponentStreamRead read = DecodeSkinStream(stream);
    if (!read.Complete())
        Trace(QStringLiteral(u"皮肤读取中断 %1 (偏移 %2)").arg(read.error).arg(read.errorOffset));
    ReadComponentTree(window, read.root);
}

} // namespace zelto

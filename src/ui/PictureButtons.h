#pragma once

#include "ui/SkinControl.h"

#include <QAbstractButton>
#include <QPixmap>

#include <array>

// The picture buttons of a skin: four state pictures (normal, hot, down, disabled), and for
// the two-state kind a check state whose picture is the disabled one.
namespace zelto {

enum class TButtonPicture { Normal, Hot, Down, Disabled };

class TPictureButton : public QAbstractButton, public TuControl {
public:
    TPictureButton(QWidget *parent, const char *className);

    void SetPicture(TButtonPicture which, const QPixmap &picture);
    const QPixmap &Picture(TButtonPicture which) const;
    // The picture shown now, by the rule the skins rely on.
    TButtonPicture ShownPicture() const;

    bool SetSkinProperty(const QString &name, const TComponentValue &value) override;
    QRegion OpaqueShape() const override;

protected:
    virtual bool Checked() const { return false; }
    // Which of the four pictures the skin may set on this class.
    virtual bool HasPicture(TButtonPicture which) const;
    // What the button does when clicked, after the button's own handling.
    virtual void Click() {}

    void paintEvent(QPaintEvent *event) override;
    // Hover, press, focus and enabled state change the picture shown.
    bool event(QEvent *event) override;
    void AppearanceMayHaveChanged();

private:
    std::array<QPixmap, 4> m_pictures;
    TButtonPicture m_lastShown = TButtonPicture::Normal;
};

// What a plain picture button of a registered class does on a click.
enum class TButtonAction {
    None, StartGame, QQLogin, WeChatLogin, Start360, CloseLauncher, Minimize, ShowSettings,
    ShowNewAccount, ShowChangePwd, ShowGetBackPwd, OpenRepair, ShowPhoneReg, ToggleResolution,
};

// `TuImageButton` and the buttons that only call the controller; the registered class name
// decides the action.
class TuImageButton : public TPictureButton {
public:
    TuImageButton(QWidget *parent, const char *className, TButtonAction action);

protected:
    void Click() override;

private:
    TButtonAction m_action;
};

enum class TuURLKind { ukCustom, ukHomePage, ukPayPage, ukContactPage };

class TuURLButton final : public TuImageButton {
public:
    explicit TuURLButton(QWidget *parent);

    QString URL() const { return FURL; }
    TuURLKind URLKind() const { return FURLKind; }
    bool SetSkinProperty(const QString &name, const TComponentValue &value) override;

protected:
    void Click() override;

private:
    QString FURL;
    TuURLKind FURLKind = TuURLKind::ukCustom;
};

class TCheckImageButton : public TPictureButton {
public:
    TCheckImageButton(QWidget *parent, const char *className);

    bool Check() const { return m_check; }
    void SetCheck(bool check);
    bool SetSkinProperty(const QString &name, const TComponentValue &value) override;

protected:
    bool Checked() const override { return m_check; }
    bool HasPicture(TButtonPicture which) const override;

private:
    bool m_check = false;
};

// The switch between password login (checked) and phone-code login.
class TLoginExchange final : public TCheckImageButton {
public:
    explicit TLoginExchange(QWidget *parent);

protected:
    void Click() override;
};

} // namespace zelto

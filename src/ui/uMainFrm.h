#pragma once

#include "ui/Forms.h"

#include <functional>

// The launcher's visible window. The program carries only its empty shell; everything the
// player sees comes from the skin, read into the window when it is created and bound to the
// application controller.
namespace zelto {

class TuClientApp;
class TSplashForm_Login_ZeltoPrime;
class TuEdit;
class TuTreeView;

class TMainForm final : public TuForm {
    Q_OBJECT
public:
    // Fills the window from a skin: the launcher's own, or one a test or the preview hands in.
    using SkinReader = std::function<void(TuCustomForm &window)>;

    TMainForm(TSplashForm_Login_ZeltoPrime &shadow, TuClientApp *controller);

    // Sets the home path, loads the skin, and opens the controller.
    void FormCreate(const SkinReader &readSkin);
    void LoadFromSkinData(const SkinReader &readSkin);

    bool SkinLoaded = false;
    // Whether the display shows true colour; the shadow window draws only then.
    bool TrueColour() const { return m_trueColour; }

protected:
    // A press on the bare window does nothing: only its controls react.
    void mousePressEvent(QMouseEvent *event) override;
    // Once the skin is loaded, the shadow window follows every move.
    void moveEvent(QMoveEvent *event) override;

private:
    void BindControl(TuControl &control);
    void BindTree(TuTreeView &tree);
    void BindEdit(TuEdit &edit, bool keepsTextOnEntry);
    void ShadowFollows();

    TSplashForm_Login_ZeltoPrime &m_shadow;
    TuClientApp *m_controller;
    bool m_trueColour = false;
};

// The launcher's own skin, as carried in its program file: deciphered, inflated and read
// into the window. A skin that cannot be read whole leaves what was read before the fault.
void ReadSkin(TuCustomForm &window, const QByteArray &stream);

} // namespace zelto

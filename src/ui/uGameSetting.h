#pragma once

#include "ui/uSelPath.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QSize>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The game settings dialog: window mode, resolution, vertical sync and 3D acceleration for
// the game client (the display settings of app/LocalSettings.h). Its "重新设置Brel目录" link
// opens the game-directory dialog.
namespace zelto {

class TFrmSetting final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kOkResult = 1;
    static constexpr int kCancelResult = 2;

    explicit TFrmSetting(QWidget *parent = nullptr);

    // The resolutions offered for the display's modes, "800x600" style, smallest first.
    static QStringList ResolutionList(const QList<QSize> &modes);

    // Shows the current display settings; closing with OK stores the dialog's into them.
    void LoadConfig();
    void SetSelPathDialog(TFrmSelPath *dialog) { m_selPath = dialog; }

    QCheckBox *chkMainI;
    QCheckBox *chkWindow;
    QLabel *LabelDisplaySize;
    QComboBox *cbbScreenSize;
    QCheckBox *chkVBlank;
    QCheckBox *chk3D;
    QLabel *LabHomePath;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;

protected:
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormCloseQuery();
    void LabHomePathClick();
    void SetLinkColour(const QColor &colour);

    QPointer<TFrmSelPath> m_selPath;
};

} // namespace zelto

#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Pieces of the classic account dialogs: fixed-layout rows of a label and an edit, buttons,
// the "*" password mask, digit-only edits and the "field must be filled" check.
namespace zelto {

// Where the rows of one dialog go.
struct TRowLayout {
    int firstTop;
    int rowSpacing;
    int labelLeft;
    int labelWidth;
    int editLeft;
    int editWidth;
};

struct TEditRow {
    QString label;
    int maxLength = 32767; // a QLineEdit's own limit: none to speak of
    bool masked = false;   // shows "*" for each character
    bool visible = true;
};

// The edit of row `row` (0-based) under its label; a hidden row hides its label too.
QLineEdit *AddEditRow(QWidget &parent, const TRowLayout &layout, int row, const TEditRow &edit);
QLabel *AddLabel(QWidget &parent, const QString &text, QRect geometry);
QPushButton *AddButton(QWidget &parent, const QString &caption, QRect geometry);

// Typed characters other than the digits and backspace are discarded.
void AcceptDigitsOnly(QLineEdit &edit);
bool IsDigitKey(QChar key);

// False, after telling the player `message`, when the edit's text is empty once trimmed.
bool RequireText(const QLineEdit &edit, const QString &message, const QString &caption);

} // namespace zelto

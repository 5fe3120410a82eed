#include "protocol/DialogParts.h"

#include "app/Notifier.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>

namespace zelto {
namespace {

constexpr int kRowHeight = 21;

// The style of masked edits: "*" for every character, whatever the platform draws.
class TAsteriskStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
        QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle &AsteriskStyle()
{
    static auto *style = [] {
        auto *created = new TAsteriskStyle;
        created->setParent(qApp); // lives as long as the widgets that use it
        return created;
    }();
    return *style;
}

class TDigitKeyFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent *>(event)->text();
            if (!text.isEmpty() && !IsDigitKey(text.front()))
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QLineEdit *AddEditRow(QWidget &parent, const TRowLayout &layout, int row, const TEditRow &edit)
{
    const int top = layout.firstTop + row * layout.rowSpacing;
    QLabel *label = AddLabel(parent, edit.label, QRect(layout.labelLeft, top, layout.labelWidth, kRowHeight));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *line = new QLineEdit(&parent);
    line->setGeometry(layout.editLeft, top, layout.editWidth, kRowHeight);
    line->setMaxLength(edit.maxLength);
    if (edit.masked) {
        line->setStyle(&AsteriskStyle());
        line->setEchoMode(QLineEdit::Password);
    }
    label->setBuddy(line);
    label->setVisible(edit.visible);
    line->setVisible(edit.visible);
    return line;
}

QLabel *AddLabel(QWidget &parent, const QString &text, QRect geometry)
{
    auto *label = new QLabel(text, &parent);
    label->setGeometry(geometry);
    return label;
}

QPushButton *AddButton(QWidget &parent, const QString &caption, QRect geometry)
{
    auto *button = new QPushButton(caption, &parent);
    button->setGeometry(geometry);
    return button;
}

bool IsDigitKey(QChar key) { return (key >= u'0' && key <= u'9') || key == u'\b'; }

void AcceptDigitsOnly(QLineEdit &edit) { edit.installEventFilter(new TDigitKeyFilter(&edit)); }

bool RequireText(const QLineEdit &edit, const QString &message, const QString &caption)
{
    if (!edit.text().trimmed().isEmpty())
        return true;
    Notifier().ShowMessage(message, caption, NoticeIcon::None);
    return false;
}

} // namespace zelto

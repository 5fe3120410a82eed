#include "ui/Edits.h"

#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>

namespace zelto {
namespace {

constexpr int kHelpTextLeft = 5;

// Masks every character of a password box with "*".
class AsteriskStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
        QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

TuEdit::TuEdit(QWidget *parent, const char *className)
    : QLineEdit(parent)
    , TuControl(*this, className)
{
    FHelpTextFont.font = FontOfPointSize(QStringLiteral(u"宋体"), 9);
    FHelpTextFont.color = ColorFromTColor(0xC0C0C0);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

int TuEdit::FormattingTop(int editHeight, int characterHeight, bool border3D)
{
    const int margin = border3D ? 8 : 6;
    return (editHeight - characterHeight - margin) / 2;
}

void TuEdit::SetHelpText(const QString &value)
{
    if (FHelpTextDef.isEmpty())
        FHelpTextDef = value;
    FHelpText = value;
    if (text().isEmpty() && value.isEmpty())
        clear();
    update();
}

void TuEdit::SetHelpTextFont(const SkinFont &value)
{
    FHelpTextFont = value;
    update();
}

bool TuEdit::SetSkinProperty(const QString &name, const TComponentValue &value)
{
    if (name == QLatin1String("HelpText")) {
        const auto text = TextValue(value);
        if (text)
            SetHelpText(*text);
        return text.has_value();
    }
    if (name.startsWith(QLatin1String("HelpTextFont."))) {
        SkinFont font = FHelpTextFont;
        if (!ApplyFontProperty(font, name.mid(13), value))
            return false;
        SetHelpTextFont(font);
        return true;
    }
    if (name == QLatin1String("BorderStyle") || name == QLatin1String("Ctl3D")) {
        const bool bordered = name == QLatin1String("Ctl3D")
            ? BooleanValue(value).value_or(true)
            : value.text != QLatin1String("bsNone");
        setFrame(bordered);
        SetCenter();
        return true;
    }
    if (name == QLatin1String("MaxLength")) {
        const auto length = IntegerValue(value);
        if (length && *length > 0)
            setMaxLength(int(*length));
        return length.has_value();
    }
    return TuControl::SetSkinProperty(name, value);
}

bool TuEdit::ApplyColor(const QColor &color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, color);
    setPalette(palette);
    return true;
}

bool TuEdit::ApplyCaption(const QString &text)
{
    setText(text);
    return true;
}

void TuEdit::SetCenter()
{
    const int top = FormattingTop(height(), fontMetrics().height(), Has3DBorder());
    setTextMargins(0, qMax(0, top), 0, 0);
}

void TuEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (hasFocus() || !text().isEmpty() || FHelpText.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(FHelpTextFont.font);
    painter.setPen(FHelpTextFont.color);
    const QFontMetrics metrics(FHelpTextFont.font);
    const int top = (height() - metrics.height()) / 2 - 2;
    painter.drawText(kHelpTextLeft, top + metrics.ascent(), FHelpText);
}

void TuEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept(); // no line break ever enters the text, nor reaches the window
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TuEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    emit Entered();
}

void TuEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    emit Left();
}

void TuEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    SetCenter();
}

void TuEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ParentChange)
        SetCenter();
}

TuIDEdit::TuIDEdit(QWidget *parent)
    : TuEdit(parent, "TuIDEdit")
{
    SetHelpText(QStringLiteral(u"用户名/邮箱/手机号"));
}

TuPWEdit::TuPWEdit(QWidget *parent)
    : TuEdit(parent, "TuPWEdit")
{
    SetHelpText(QStringLiteral(u"请输入密码"));
    auto *style = new AsteriskStyle;
    style->setParent(this);
    setStyle(style);
    setEchoMode(QLineEdit::Password);
}

} // namespace zelto

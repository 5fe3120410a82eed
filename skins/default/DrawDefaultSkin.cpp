// Draws the pictures of the default skin into a folder: the window background with its soft
// shadow, the logo, and every state picture of the skin's buttons. Run with the folder as
// the only argument; the text skin next to this file names the pictures it writes.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 560;
const QRectF kPanel(18, 14, 864, 528);
constexpr qreal kRadius = 14;
constexpr int kSplit = 592; // the art on the left, the login column on the right

const QColor kGold(0xF2, 0xC0, 0x5C);
const QColor kGoldDeep(0xC8, 0x7A, 0x1E);
const QColor kInk(0x14, 0x18, 0x26);
const QColor kText(0xE8, 0xE6, 0xF0);

QFont UiFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QImage Blank(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A box blur run three times: close enough to a Gaussian for a shadow.
QImage Blurred(const QImage &source, int radius)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width();
    const int h = image.height();
    QList<QRgb> line;
    for (int pass = 0; pass < 3; ++pass) {
        for (int horizontal = 0; horizontal < 2; ++horizontal) {
            const int length = horizontal ? w : h;
            const int lines = horizontal ? h : w;
            line.resize(length);
            for (int l = 0; l < lines; ++l) {
                auto at = [&](int i) -> QRgb & {
                    return horizontal ? reinterpret_cast<QRgb *>(image.scanLine(l))[i]
                                      : reinterpret_cast<QRgb *>(image.scanLine(i))[l];
                };
                for (int i = 0; i < length; ++i)
                    line[i] = at(i);
                for (int i = 0; i < length; ++i) {
                    int a = 0;
                    int count = 0;
                    for (int k = std::max(0, i - radius); k <= std::min(length - 1, i + radius); ++k) {
                        a += qAlpha(line[k]);
                        ++count;
                    }
                    at(i) = qRgba(0, 0, 0, a / count);
                }
            }
        }
    }
    return image;
}

QPainterPath RoundedPanel(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

void DrawStars(QPainter &p, const QRectF &area, int count)
{
    QRandomGenerator random(7);
    for (int i = 0; i < count; ++i) {
        const QPointF at(area.left() + random.bounded(area.width()), area.top() + random.bounded(area.height()));
        const qreal size = 0.6 + random.bounded(1.4);
        p.setBrush(QColor(255, 255, 255, 90 + random.bounded(150)));
        p.setPen(Qt::NoPen);
        p.drawEllipse(at, size, size);
    }
}

void DrawRidge(QPainter &p, qreal baseY, qreal amplitude, qreal phase, const QColor &top, const QColor &bottom)
{
    QPainterPath ridge;
    ridge.moveTo(kPanel.left(), kPanel.bottom());
    for (int x = int(kPanel.left()); x <= kSplit; x += 4) {
        const qreal t = x / 90.0 + phase;
        const qreal y = baseY - amplitude * (0.6 * std::sin(t) + 0.3 * std::sin(t * 2.3 + 1.1) + 0.1 * std::sin(t * 5.1));
        ridge.lineTo(x, y);
    }
    ridge.lineTo(kSplit, kPanel.bottom());
    ridge.closeSubpath();
    QLinearGradient fill(0, baseY - amplitude, 0, kPanel.bottom());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(ridge);
}

// A frame one pixel outside a control, so the control seems set into the panel.
void DrawWell(QPainter &p, const QRect &control, const QColor &edge)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(edge, 1));
    p.drawRoundedRect(QRectF(control).adjusted(-1.5, -1.5, 1.5, 1.5), 3, 3);
}

QImage Background()
{
    QImage image = Blank(QSize(kWidth, kHeight));
    {
        QImage shape = Blank(image.size());
        QPainter s(&shape);
        s.setRenderHint(QPainter::Antialiasing);
        s.fillPath(RoundedPanel(kPanel.translated(0, 4), kRadius), QColor(0, 0, 0, 150));
        s.end();
        QPainter p(&image);
        p.drawImage(0, 0, Blurred(shape, 6));
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipPath(RoundedPanel(kPanel, kRadius));

    // The night sky, moon and mountains of the art column.
    QLinearGradient sky(0, kPanel.top(), 0, kPanel.bottom());
    sky.setColorAt(0, QColor(0x1B, 0x1F, 0x45));
    sky.setColorAt(0.55, QColor(0x4A, 0x2C, 0x5E));
    sky.setColorAt(1, QColor(0xB0, 0x4F, 0x4A));
    p.fillRect(QRectF(kPanel.left(), kPanel.top(), kSplit - kPanel.left(), kPanel.height()), sky);
    DrawStars(p, QRectF(kPanel.left(), kPanel.top() + 40, kSplit - kPanel.left(), 200), 140);
    QRadialGradient glow(QPointF(455, 150), 90);
    glow.setColorAt(0, QColor(255, 236, 200, 160));
    glow.setColorAt(1, QColor(255, 236, 200, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(455, 150), 90, 90);
    p.setBrush(QColor(0xFF, 0xF1, 0xD6));
    p.drawEllipse(QPointF(455, 150), 30, 30);
    DrawRidge(p, 330, 55, 0.4, QColor(0x3B, 0x27, 0x4F), QColor(0x24, 0x1A, 0x38));
    DrawRidge(p, 380, 40, 2.1, QColor(0x27, 0x1C, 0x3A), QColor(0x18, 0x13, 0x29));
    DrawRidge(p, 430, 28, 4.0, QColor(0x17, 0x12, 0x26), QColor(0x10, 0x0D, 0x1C));

    // The login column.
    QLinearGradient column(kSplit, 0, kPanel.right(), 0);
    column.setColorAt(0, QColor(0x1A, 0x1E, 0x2E));
    column.setColorAt(1, QColor(0x14, 0x17, 0x24));
    p.fillRect(QRectF(kSplit, kPanel.top(), kPanel.right() - kSplit, kPanel.height()), column);
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    p.drawLine(QPointF(kSplit + 0.5, kPanel.top() + 56), QPointF(kSplit + 0.5, kPanel.bottom()));

    // The title bar across both.
    QLinearGradient bar(0, kPanel.top(), 0, kPanel.top() + 52);
    bar.setColorAt(0, QColor(0x0C, 0x0E, 0x18, 235));
    bar.setColorAt(1, QColor(0x0C, 0x0E, 0x18, 170));
    p.fillRect(QRectF(kPanel.left(), kPanel.top(), kPanel.width(), 52), bar);
    QLinearGradient rule(kPanel.left(), 0, kPanel.right(), 0);
    rule.setColorAt(0, QColor(242, 192, 92, 0));
    rule.setColorAt(0.3, QColor(242, 192, 92, 200));
    rule.setColorAt(1, QColor(242, 192, 92, 0));
    p.fillRect(QRectF(kPanel.left(), kPanel.top() + 52, kPanel.width(), 1), rule);

    // The band under the notice that holds the status line and the progress bars.
    p.fillRect(QRectF(kPanel.left(), 440, kSplit - kPanel.left(), kPanel.bottom() - 440), QColor(0x0C, 0x0E, 0x18, 200));

    // Wells of the controls that sit on the panel.
    const QColor edge(255, 255, 255, 40);
    DrawWell(p, QRect(612, 96, 250, 172), edge);   // server tree
    DrawWell(p, QRect(612, 286, 250, 32), edge);   // account
    DrawWell(p, QRect(612, 326, 250, 32), edge);   // password
    DrawWell(p, QRect(40, 232, 530, 196), QColor(242, 192, 92, 90)); // notice
    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 50), 1));
    p.drawPath(RoundedPanel(kPanel.adjusted(0.5, 0.5, -0.5, -0.5), kRadius));
    return image;
}

QImage Logo()
{
    QImage image = Blank(QSize(300, 96));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath text;
    QFont font = UiFont(54, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    text.addText(QPointF(18, 62), font, QStringLiteral("ZELTO"));
    QImage halo = Blank(image.size());
    {
        QPainter h(&halo);
        h.setRenderHint(QPainter::Antialiasing);
        h.fillPath(text, QColor(0, 0, 0, 200));
    }
    p.drawImage(0, 2, Blurred(halo, 4));
    QLinearGradient gold(0, 14, 0, 66);
    gold.setColorAt(0, QColor(0xFF, 0xEA, 0xB0));
    gold.setColorAt(0.5, kGold);
    gold.setColorAt(1, kGoldDeep);
    p.fillPath(text, gold);
    p.setPen(QPen(QColor(0x5A, 0x33, 0x0C), 1.2));
    p.drawPath(text);
    p.setPen(QColor(0xF4, 0xE6, 0xC8));
    p.setFont(UiFont(15));
    p.drawText(QRectF(22, 68, 280, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral(u"星 穹 纪 元  ·  ONLINE"));
    return image;
}

enum class State { Normal, Hot, Down, Disabled };

// The large start button: gold, raised; darker when pressed, grey when disabled.
QImage StartButton(State state)
{
    QImage image = Blank(QSize(250, 54));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body(1, 1, 248, 52);
    QLinearGradient fill(0, 0, 0, 54);
    switch (state) {
    case State::Normal: fill.setColorAt(0, QColor(0xFF, 0xD2, 0x72)); fill.setColorAt(1, QColor(0xD5, 0x86, 0x24)); break;
    case State::Hot: fill.setColorAt(0, QColor(0xFF, 0xE2, 0x96)); fill.setColorAt(1, QColor(0xE8, 0x99, 0x34)); break;
    case State::Down: fill.setColorAt(0, QColor(0xC8, 0x7A, 0x1E)); fill.setColorAt(1, QColor(0xE9, 0xAE, 0x4E)); break;
    case State::Disabled: fill.setColorAt(0, QColor(0x6A, 0x68, 0x70)); fill.setColorAt(1, QColor(0x4A, 0x48, 0x52)); break;
    }
    p.setPen(QPen(state == State::Disabled ? QColor(0x33, 0x33, 0x3A) : QColor(0x7A, 0x42, 0x0A), 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(body, 8, 8);
    p.setPen(QPen(QColor(255, 255, 255, state == State::Down ? 30 : 90), 1));
    p.drawLine(QPointF(10, 3), QPointF(240, 3));
    p.setFont(UiFont(22, true));
    const QPointF shift = state == State::Down ? QPointF(0, 1) : QPointF();
    p.setPen(QColor(0, 0, 0, 80));
    p.drawText(body.translated(shift + QPointF(0, 1.5)), Qt::AlignCenter, QStringLiteral(u"开 始 游 戏"));
    p.setPen(state == State::Disabled ? QColor(0xB8, 0xB6, 0xC0) : QColor(0x3A, 0x1E, 0x02));
    p.drawText(body.translated(shift), Qt::AlignCenter, QStringLiteral(u"开 始 游 戏"));
    return image;
}

// A button that is only text: the header links and the account links under the start button.
QImage TextButton(const QString &caption, QSize size, int pixels, State state, bool underline)
{
    QImage image = Blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = UiFont(pixels);
    font.setUnderline(underline && state != State::Normal && state != State::Disabled);
    p.setFont(font);
    const QColor colour = state == State::Disabled ? QColor(0x77, 0x77, 0x82)
        : state == State::Normal ? QColor(0xC9, 0xCB, 0xD8)
        : state == State::Hot ? kGold : kGoldDeep;
    p.setPen(colour);
    p.drawText(QRectF(QPointF(0, 0), QSizeF(size)), Qt::AlignCenter, caption);
    return image;
}

// An outlined button of the bottom row.
QImage OutlineButton(const QString &caption, QSize size, State state)
{
    QImage image = Blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body(0.5, 0.5, size.width() - 1, size.height() - 1);
    p.setBrush(state == State::Normal ? QColor(255, 255, 255, 18) : state == State::Hot ? QColor(242, 192, 92, 50) : QColor(242, 192, 92, 90));
    p.setPen(QPen(state == State::Normal ? QColor(255, 255, 255, 70) : kGold, 1));
    p.drawRoundedRect(body, 4, 4);
    p.setFont(UiFont(13));
    p.setPen(state == State::Normal ? kText : QColor(0xFF, 0xE6, 0xB0));
    p.drawText(body, Qt::AlignCenter, caption);
    return image;
}

// The window's minimise and close glyphs on a round hover.
QImage WindowButton(bool close, State state)
{
    QImage image = Blank(QSize(26, 26));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (state != State::Normal) {
        p.setPen(Qt::NoPen);
        p.setBrush(close ? QColor(0xD8, 0x3B, 0x3B, state == State::Down ? 255 : 200) : QColor(255, 255, 255, state == State::Down ? 70 : 40));
        p.drawEllipse(QRectF(1, 1, 24, 24));
    }
    p.setPen(QPen(QColor(0xE8, 0xE6, 0xF0), 1.8, Qt::SolidLine, Qt::RoundCap));
    if (close) {
        p.drawLine(QPointF(8.5, 8.5), QPointF(17.5, 17.5));
        p.drawLine(QPointF(17.5, 8.5), QPointF(8.5, 17.5));
    } else {
        p.drawLine(QPointF(8, 13.5), QPointF(18, 13.5));
    }
    return image;
}

// The login switch: a slider with its label; checked is password login.
QImage LoginSwitch(bool password)
{
    QImage image = Blank(QSize(150, 24));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track(1, 4, 34, 16);
    p.setPen(Qt::NoPen);
    p.setBrush(password ? kGoldDeep : QColor(0x4A, 0x4E, 0x62));
    p.drawRoundedRect(track, 8, 8);
    p.setBrush(QColor(0xF6, 0xF2, 0xEA));
    p.drawEllipse(QPointF(password ? 27 : 9, 12), 6.5, 6.5);
    p.setFont(UiFont(13));
    p.setPen(kText);
    p.drawText(QRectF(42, 0, 108, 24), Qt::AlignLeft | Qt::AlignVCenter,
        password ? QStringLiteral(u"账号密码登录") : QStringLiteral(u"手机验证码登录"));
    return image;
}

QImage DropArrow(QSize size, const QColor &background)
{
    QImage image = Blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), background);
    QPainterPath arrow;
    const QPointF c(size.width() / 2.0, size.height() / 2.0 + 1);
    arrow.moveTo(c + QPointF(-4, -2.5));
    arrow.lineTo(c + QPointF(4, -2.5));
    arrow.lineTo(c + QPointF(0, 2.5));
    arrow.closeSubpath();
    p.fillPath(arrow, kGold);
    return image;
}

bool Save(const QImage &image, const QDir &folder, const QString &name)
{
    const bool ok = image.save(folder.filePath(name), "PNG");
    if (!ok)
        std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(folder.filePath(name)));
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-default-skin FOLDER\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(QStringLiteral("images"));
    folder.cd(QStringLiteral("images"));
    const struct { State state; const char *suffix; } states[] = {
        { State::Normal, "" }, { State::Hot, "-hot" }, { State::Down, "-down" }, { State::Disabled, "-disabled" },
    };
    bool ok = Save(Background(), folder, QStringLiteral("background.png")) && Save(Logo(), folder, QStringLiteral("logo.png"));
    const struct { const char *name; const char16_t *caption; QSize size; int pixels; bool underline; } texts[] = {
        { "home", u"官方网站", { 72, 26 }, 14, false }, { "pay", u"充值中心", { 72, 26 }, 14, false },
        { "contact", u"联系客服", { 72, 26 }, 14, false }, { "register", u"注册账号", { 80, 22 }, 13, true },
        { "change-password", u"修改密码", { 80, 22 }, 13, true }, { "recover-password", u"找回密码", { 80, 22 }, 13, true },
    };
    const struct { const char *name; const char16_t *caption; QSize size; } outlines[] = {
        { "settings", u"游戏设置", { 84, 26 } }, { "repair", u"修复客户端", { 96, 26 } },
    };
    for (const auto &s : states) {
        const QString suffix = QString::fromLatin1(s.suffix) + QStringLiteral(".png");
        ok = Save(StartButton(s.state), folder, QStringLiteral("start") + suffix) && ok;
        for (const auto &t : texts) {
            ok = Save(TextButton(QString::fromUtf16(t.caption), t.size, t.pixels, s.state, t.underline), folder,
                     QString::fromLatin1(t.name) + suffix) && ok;
        }
        if (s.state == State::Disabled)
            continue;
        for (const auto &o : outlines)
            ok = Save(OutlineButton(QString::fromUtf16(o.caption), o.size, s.state), folder, QString::fromLatin1(o.name) + suffix) && ok;
        ok = Save(WindowButton(false, s.state), folder, QStringLiteral("minimize") + suffix) && ok;
        ok = Save(WindowButton(true, s.state), folder, QStringLiteral("close") + suffix) && ok;
    }
    ok = Save(LoginSwitch(false), folder, QStringLiteral("login-phone.png")) && ok;
    ok = Save(LoginSwitch(true), folder, QStringLiteral("login-password.png")) && ok;
    ok = Save(DropArrow(QSize(17, 22), QColor(0x1E, 0x23, 0x36)), folder, QStringLiteral("drop.png")) && ok;
    ok = Save(DropArrow(QSize(24, 26), QColor(255, 255, 255, 18)), folder, QStringLiteral("resolution.png")) && ok;
    ok = Save(DropArrow(QSize(24, 26), QColor(242, 192, 92, 60)), folder, QStringLiteral("resolution-hot.png")) && ok;
    return ok ? 0 : 1;
}

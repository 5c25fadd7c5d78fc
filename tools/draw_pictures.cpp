// Draws the six pictures the calculator's windows load from resources/.
// Run through tools/draw-pictures.sh; usage: draw_pictures OUTPUT_DIR

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

const QString kFamily = QStringLiteral("DejaVu Sans");
const QColor kAccent(0x80, 0x00, 0x00);
const QColor kPanelFill(0xff, 0xf8, 0xe7);
const QColor kText(0x22, 0x22, 0x22);
const QColor kMuted(0x55, 0x55, 0x55);

// Typographic characters kept as escapes so the source stays plain ASCII.
const QString kTimes = QString(QChar(0x00D7));
const QString kMinus = QString(QChar(0x2212));
const QString kRoot = QString(QChar(0x221A));
const QString kSquared = QString(QChar(0x00B2));
const QString kPlusMinus = QString(QChar(0x00B1));

// Captions shrink until they fit, but never below this: smaller is not readable.
constexpr double kMinScale = 0.62;

bool failed = false;

void complain(const QString &what)
{
    std::fprintf(stderr, "draw_pictures: %s\n", qPrintable(what));
    failed = true;
}

QFont makeFont(double pixelSize, bool bold = false)
{
    QFont f(kFamily);
    f.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QImage blankImage(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// Smallest rectangle holding every non-transparent pixel; empty if none.
QRect inkBounds(const QImage &img)
{
    int left = img.width(), top = img.height(), right = -1, bottom = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (qAlpha(row[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// ---------------------------------------------------------------------------
// Caption text: blocks of words; "_{...}" inside a word marks a subscript.

struct Run {
    QString text;
    bool sub = false;
};
using Word = QList<Run>;

Word parseWord(const QString &w)
{
    Word out;
    int i = 0;
    QString plain;
    while (i < w.size()) {
        if (w.mid(i, 2) == QLatin1String("_{")) {
            const int end = w.indexOf(QLatin1Char('}'), i + 2);
            if (end > 0) {
                if (!plain.isEmpty())
                    out.append({plain, false});
                plain.clear();
                out.append({w.mid(i + 2, end - i - 2), true});
                i = end + 1;
                continue;
            }
        }
        plain += w[i++];
    }
    if (!plain.isEmpty())
        out.append({plain, false});
    return out;
}

enum class Kind { Heading, Formula, Body, Note };

struct Block {
    Kind kind;
    QString text;
};

struct Style {
    double pixelSize;
    bool bold;
    QColor colour;
    bool wraps;
    double indent;
};

Style styleFor(Kind k, double s)
{
    switch (k) {
    case Kind::Heading: return {14.5 * s, true, kAccent, true, 0};
    case Kind::Formula: return {14.0 * s, false, kText, false, 6 * s};
    case Kind::Body: return {11.5 * s, false, kText, true, 0};
    case Kind::Note: return {11.0 * s, false, kMuted, true, 0};
    }
    return {12 * s, false, kText, true, 0};
}

struct LaidLine {
    QList<Word> words;
    Style style;
    double baseline = 0;
};

struct Metrics {
    QFont font, subFont;
    double ascent, descent, space, subDrop;
};

Metrics metricsFor(const Style &st)
{
    Metrics m{makeFont(st.pixelSize, st.bold), makeFont(st.pixelSize * 0.72, st.bold), 0, 0, 0, 0};
    const QFontMetricsF fm(m.font), sfm(m.subFont);
    m.subDrop = st.pixelSize * 0.28;
    m.ascent = fm.ascent();
    m.descent = std::max(fm.descent(), m.subDrop + sfm.descent());
    m.space = fm.horizontalAdvance(QLatin1Char(' '));
    return m;
}

double wordWidth(const Word &w, const Metrics &m)
{
    const QFontMetricsF fm(m.font), sfm(m.subFont);
    double width = 0;
    for (const Run &r : w)
        width += r.sub ? sfm.horizontalAdvance(r.text) : fm.horizontalAdvance(r.text);
    return width;
}

// Lays the blocks out at scale s inside the given width; nullopt if they do not fit.
std::optional<QList<LaidLine>> layout(const QList<Block> &blocks, double s, double width, double height)
{
    QList<LaidLine> lines;
    double y = 0;
    bool first = true;
    for (const Block &b : blocks) {
        const Style st = styleFor(b.kind, s);
        const Metrics m = metricsFor(st);
        const double avail = width - st.indent;
        const double lineStep = m.ascent + m.descent;
        if (!first)
            y += 3 * s;
        first = false;

        QList<Word> current;
        double used = 0;
        auto flush = [&] {
            LaidLine l{current, st, y + m.ascent};
            lines.append(l);
            y += lineStep;
            current.clear();
            used = 0;
        };
        for (const QString &raw : b.text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const Word w = parseWord(raw);
            const double ww = wordWidth(w, m);
            const double needed = current.isEmpty() ? ww : used + m.space + ww;
            if (needed <= avail) {
                current.append(w);
                used = needed;
                continue;
            }
            if (current.isEmpty() || !st.wraps)
                return std::nullopt;
            flush();
            if (ww > avail)
                return std::nullopt;
            current.append(w);
            used = ww;
        }
        if (!current.isEmpty())
            flush();
    }
    if (y > height)
        return std::nullopt;
    return lines;
}

double laidHeight(const QList<LaidLine> &lines)
{
    if (lines.isEmpty())
        return 0;
    const LaidLine &last = lines.back();
    return last.baseline + metricsFor(last.style).descent;
}

void drawLines(QPainter &p, const QList<LaidLine> &lines, QPointF origin)
{
    for (const LaidLine &l : lines) {
        const Metrics m = metricsFor(l.style);
        double x = origin.x() + l.style.indent;
        const double base = origin.y() + l.baseline;
        p.setPen(l.style.colour);
        for (int i = 0; i < l.words.size(); ++i) {
            if (i > 0)
                x += m.space;
            for (const Run &r : l.words[i]) {
                p.setFont(r.sub ? m.subFont : m.font);
                p.drawText(QPointF(x, r.sub ? base + m.subDrop : base), r.text);
                x += QFontMetricsF(r.sub ? m.subFont : m.font).horizontalAdvance(r.text);
            }
        }
    }
}

// A help-panel caption: light tinted card with a thin accent frame, text inside.
QImage caption(const QString &name, int w, int h, const QList<Block> &blocks)
{
    constexpr double border = 1.0;
    constexpr double margin = 7.0;
    const QRectF inner(margin, margin, w - 2 * margin, h - 2 * margin);

    std::optional<QList<LaidLine>> lines;
    double scale = 1.0;
    for (; scale >= kMinScale - 1e-9; scale -= 0.02) {
        lines = layout(blocks, scale, inner.width(), inner.height());
        if (lines)
            break;
    }
    if (!lines) {
        complain(name + QStringLiteral(": text does not fit even at the smallest size"));
        return blankImage(w, h);
    }

    // Text goes on its own layer first so its real ink can be checked against the frame.
    QImage text = blankImage(w, h);
    {
        QPainter p(&text);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setRenderHint(QPainter::Antialiasing);
        const double top = inner.top() + std::floor((inner.height() - laidHeight(*lines)) / 2);
        drawLines(p, *lines, QPointF(inner.left(), top));
    }
    const QRect ink = inkBounds(text);
    const QRect safe = QRectF(border + 2, border + 2, w - 2 * border - 4, h - 2 * border - 4).toRect();
    if (!safe.contains(ink))
        complain(name + QStringLiteral(": text ink reaches the frame"));

    QImage img = blankImage(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kAccent, border));
    p.setBrush(kPanelFill);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 4, 4);
    p.drawImage(0, 0, text);
    p.end();
    std::printf("%-20s %3dx%-3d text scale %.2f\n", qPrintable(name), w, h, scale);
    return img;
}

// ---------------------------------------------------------------------------
// Logo: a dark red tile with a histogram under a bell curve.

void drawLogo(QPainter &p, const QRectF &r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double u = r.width() / 64.0;

    QPainterPath tile;
    tile.addRoundedRect(r.adjusted(1 * u, 1 * u, -1 * u, -1 * u), 11 * u, 11 * u);
    p.fillPath(tile, kAccent);
    p.setClipPath(tile);

    const double cx = r.left() + 32 * u, floorY = r.top() + 50 * u, peak = 36 * u, sigma = 11 * u;
    auto curveY = [&](double x) {
        const double z = (x - cx) / sigma;
        return floorY - peak * std::exp(-0.5 * z * z);
    };

    // Bars sit just under the curve so it reads as a distribution, not a chart of its own.
    const double barW = 6.5 * u, step = 8.5 * u;
    for (int i = -2; i <= 2; ++i) {
        const double mid = cx + i * step;
        const double top = curveY(mid) + 3.5 * u;
        QPainterPath bar;
        bar.addRoundedRect(QRectF(mid - barW / 2, top, barW, floorY - top), 1.2 * u, 1.2 * u);
        p.fillPath(bar, i == 0 ? QColor(Qt::white) : QColor(0xd2, 0xd2, 0xd2));
    }

    QPainterPath bell;
    for (int i = 0; i <= 80; ++i) {
        const double x = r.left() + 5 * u + i * (54 * u) / 80.0;
        if (i == 0)
            bell.moveTo(x, curveY(x));
        else
            bell.lineTo(x, curveY(x));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xff, 0xd9, 0x8a), 2.6 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(bell);

    p.setPen(QPen(Qt::white, 2 * u, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.left() + 9 * u, floorY + 2 * u), QPointF(r.right() - 9 * u, floorY + 2 * u));
    p.restore();
}

QImage logo(int size)
{
    QImage img = blankImage(size, size);
    QPainter p(&img);
    drawLogo(p, QRectF(0, 0, size, size));
    p.end();
    std::printf("%-20s %3dx%-3d\n", "logo", size, size);
    return img;
}

// ---------------------------------------------------------------------------
// Title banner: logo, the program name in the accent colour, and a subtitle.

QImage banner(int w, int h)
{
    const QString title = QStringLiteral("ZEFA Calculator");
    const QString subtitle = QStringLiteral("Predicted achievement from IQ");
    const double logoSize = 56;
    const double margin = 6;
    const double textLeft = margin + logoSize + 12;
    const double avail = w - textLeft - margin;

    double titlePx = 34;
    while (titlePx > 16 && QFontMetricsF(makeFont(titlePx, true)).horizontalAdvance(title) > avail)
        titlePx -= 0.5;
    double subPx = 14;
    while (subPx > 9 && QFontMetricsF(makeFont(subPx)).horizontalAdvance(subtitle) > avail)
        subPx -= 0.5;

    const QFont titleFont = makeFont(titlePx, true), subFont = makeFont(subPx);
    const QFontMetricsF tfm(titleFont), sfm(subFont);
    const double gap = 7;
    const double blockH = tfm.ascent() + tfm.descent() + gap + sfm.ascent() + sfm.descent();
    if (blockH > h - 2 * 2)
        complain(QStringLiteral("banner: text is taller than the picture"));
    const double top = std::floor((h - blockH) / 2);
    const double titleBase = top + tfm.ascent();
    const double ruleY = titleBase + tfm.descent() + gap / 2;
    const double subBase = ruleY + gap / 2 + sfm.ascent();

    QImage text = blankImage(w, h);
    {
        QPainter p(&text);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(titleFont);
        p.setPen(kAccent);
        p.drawText(QPointF(textLeft, titleBase), title);
        p.setFont(subFont);
        p.setPen(kMuted);
        p.drawText(QPointF(textLeft + 1, subBase), subtitle);
    }
    const QRect ink = inkBounds(text);
    if (!QRect(1, 1, w - 2, h - 2).contains(ink))
        complain(QStringLiteral("banner: text runs off the picture"));

    QImage img = blankImage(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawLogo(p, QRectF(margin, (h - logoSize) / 2, logoSize, logoSize));
    p.drawImage(0, 0, text);
    // A thin accent rule between title and subtitle, as long as the title.
    const double ruleEnd = textLeft + tfm.horizontalAdvance(title);
    p.setPen(QPen(kAccent, 1.2));
    p.drawLine(QPointF(textLeft + 1, ruleY), QPointF(ruleEnd, ruleY));
    p.end();
    std::printf("%-20s %3dx%-3d title %.1fpx, subtitle %.1fpx\n", "banner", w, h, titlePx, subPx);
    return img;
}

void save(const QImage &img, const QDir &dir, const QString &file, QSize expected)
{
    if (img.size() != expected) {
        complain(file + QStringLiteral(": wrong size"));
        return;
    }
    if (!img.save(dir.filePath(file), "PNG"))
        complain(file + QStringLiteral(": could not write"));
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: draw_pictures OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(args[1]);
    if (!out.exists()) {
        std::fprintf(stderr, "draw_pictures: no such folder: %s\n", qPrintable(args[1]));
        return 2;
    }

    // Without the real family the sizes chosen here would not match what is drawn.
    if (QFontInfo(makeFont(12)).family() != kFamily) {
        for (const char *f : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"})
            QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/dejavu/") + QLatin1String(f));
        if (QFontInfo(makeFont(12)).family() != kFamily) {
            std::fprintf(stderr, "draw_pictures: the %s font is not installed\n", qPrintable(kFamily));
            return 1;
        }
    }

    save(caption(QStringLiteral("IQlangPix..png"), 440, 73,
                 {{Kind::Heading, QStringLiteral("IQ Score")},
                  {Kind::Body, QStringLiteral("A full-scale IQ score from an individually given intelligence "
                                              "test, 45 to 155. Mean 100, standard deviation 15.")}}),
         out, QStringLiteral("IQlangPix..png"), {440, 73});

    save(banner(404, 76), out, QStringLiteral("ZEFAtitle.png"), {404, 76});

    save(caption(QStringLiteral("Rest.png"), 245, 83,
                 {{Kind::Heading, QStringLiteral("IQ-Achievement Correlation r")},
                  {Kind::Body, QStringLiteral("Correlation between IQ and the achievement test, "
                                              ".001 to .999 (typically about .60).")}}),
         out, QStringLiteral("Rest.png"), {245, 83});

    save(caption(QStringLiteral("PreAchFormula.png"), 249, 91,
                 {{Kind::Heading, QStringLiteral("Predicted Achievement")},
                  {Kind::Formula, QStringLiteral("r ") + kTimes + QStringLiteral(" (IQ ") + kMinus +
                                      QStringLiteral(" 100) + 100")},
                  {Kind::Note, QStringLiteral("Scores regress toward the mean of 100.")}}),
         out, QStringLiteral("PreAchFormula.png"), {249, 91});

    save(caption(QStringLiteral("SEformula.png"), 242, 100,
                 {{Kind::Heading, QStringLiteral("Standard Error of Estimate")},
                  {Kind::Formula, QStringLiteral("SE_{est} = 15 ") + kTimes + QStringLiteral(" ") + kRoot +
                                      QStringLiteral("(1 ") + kMinus + QStringLiteral(" r") + kSquared +
                                      QStringLiteral(")")},
                  {Kind::Note, QStringLiteral("Ranges: prediction ") + kPlusMinus +
                                   QStringLiteral(" 1, 1.5, 1.645 and 1.96 SE_{est} "
                                                  "(about 68%, 87%, 90%, 95%).")}}),
         out, QStringLiteral("SEformula.png"), {242, 100});

    save(logo(64), out, QStringLiteral("Ride64.png"), {64, 64});

    return failed ? 1 : 0;
}

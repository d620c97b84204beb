// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellPictures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

namespace lentora::course {

namespace {

constexpr int kBackgroundWidth = 596;
constexpr int kBackgroundHeight = 480;
constexpr int kAboutWidth = 520;
constexpr int kAboutHeight = 515;
const QString kLetters = QStringLiteral("ĄČĘĖĮŠŲŪŽ");

// A fixed-seed generator whose numbers do not depend on the standard library's distributions,
// so the pictures come out the same everywhere.
class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}
    double uniform(double low, double high) {
        return low + (high - low) * (double(engine_()) / 4294967296.0);
    }
    int below(int bound) { return int(uniform(0, bound)); }

private:
    std::mt19937 engine_;
};

QFont font(const QString& family, double pixels, int weight = QFont::Normal, bool italic = false) {
    QFont result(family);
    result.setPixelSize(std::max(1, int(std::lround(pixels))));
    result.setWeight(QFont::Weight(weight));
    result.setItalic(italic);
    result.setStyleStrategy(QFont::PreferAntialias);
    return result;
}

QFont scriptFont(double pixels) {
    return font(QStringLiteral("Z003"), pixels);
}
QFont sansFont(double pixels, int weight = QFont::Bold) {
    return font(QStringLiteral("DejaVu Sans"), pixels, weight);
}
QFont serifFont(double pixels, int weight = QFont::Bold, bool italic = false) {
    return font(QStringLiteral("DejaVu Serif"), pixels, weight, italic);
}

QImage canvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void begin(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

// Text centred on a point, optionally rotated (degrees).
void drawCentredText(QPainter& painter, const QString& text, const QFont& textFont, QPointF centre,
                     double angle = 0) {
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    painter.setFont(textFont);
    const QFontMetricsF metrics(textFont);
    const QRectF box(-metrics.horizontalAdvance(text) / 2 - 4, -metrics.height() / 2,
                     metrics.horizontalAdvance(text) + 8, metrics.height());
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

// Text as a filled outline (for outlines and soft shadows).
QPainterPath textPath(const QString& text, const QFont& textFont, QPointF centre) {
    QPainterPath path;
    path.addText(0, 0, textFont, text);
    const QRectF bounds = path.boundingRect();
    path.translate(centre - bounds.center());
    return path;
}

// Chalk is never solid: thin the layer's alpha with a grainy noise and some streaks.
void chalkify(QImage& layer, std::uint32_t seed) {
    Random random(seed);
    for (int y = 0; y < layer.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
        const double streak = 0.85 + 0.15 * std::sin(y * 0.9 + random.uniform(0, 0.5));
        for (int x = 0; x < layer.width(); ++x) {
            const QRgb p = line[x];
            if (qAlpha(p) == 0) {
                continue;
            }
            const double keep = std::clamp(random.uniform(0.35, 1.15) * streak, 0.0, 1.0);
            line[x] = qRgba(int(qRed(p) * keep), int(qGreen(p) * keep), int(qBlue(p) * keep),
                            int(qAlpha(p) * keep));
        }
    }
}

void drawStar(QPainter& painter, QPointF centre, double outer, double inner, double angle = 0) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? outer : inner;
        const double a = angle + i * std::numbers::pi / 5 - std::numbers::pi / 2;
        star << centre + QPointF(radius * std::cos(a), radius * std::sin(a));
    }
    painter.drawPolygon(star);
}

void drawCloud(QPainter& painter, QPointF centre, double size, const QColor& colour) {
    QPainterPath cloud;
    cloud.addEllipse(centre + QPointF(-size * 0.55, 0), size * 0.45, size * 0.32);
    cloud.addEllipse(centre + QPointF(-size * 0.1, -size * 0.2), size * 0.5, size * 0.45);
    cloud.addEllipse(centre + QPointF(size * 0.45, -size * 0.05), size * 0.42, size * 0.36);
    cloud.addRoundedRect(
        QRectF(centre.x() - size * 0.9, centre.y() - size * 0.05, size * 1.75, size * 0.38),
        size * 0.18, size * 0.18);
    cloud.setFillRule(Qt::WindingFill);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(cloud.simplified());
}

void drawFlower(QPainter& painter, QPointF centre, double size, const QColor& petals) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(petals);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * std::numbers::pi / 5;
        painter.drawEllipse(centre + QPointF(size * 0.55 * std::cos(a), size * 0.55 * std::sin(a)),
                            size * 0.42, size * 0.42);
    }
    painter.setBrush(QColor(250, 205, 60));
    painter.drawEllipse(centre, size * 0.35, size * 0.35);
}

// ---- backgrounds ----------------------------------------------------------------------------

QImage chalkboard() {
    const int w = kBackgroundWidth, h = kBackgroundHeight;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    begin(painter);
    // Wooden frame.
    QLinearGradient wood(0, 0, w, h);
    wood.setColorAt(0, QColor(139, 94, 52));
    wood.setColorAt(0.5, QColor(168, 118, 70));
    wood.setColorAt(1, QColor(120, 78, 42));
    painter.fillRect(image.rect(), wood);
    Random grain(11);
    painter.setPen(QPen(QColor(90, 58, 30, 70), 1));
    for (int i = 0; i < 60; ++i) {
        const double y = grain.uniform(0, h);
        painter.drawLine(QPointF(0, y), QPointF(w, y + grain.uniform(-6, 6)));
    }
    // The board.
    const QRectF board(18, 18, w - 36, h - 36 - 22);
    QRadialGradient slate(board.center(), w * 0.6);
    slate.setColorAt(0, QColor(52, 92, 70));
    slate.setColorAt(1, QColor(30, 60, 45));
    painter.setPen(QPen(QColor(70, 45, 22), 3));
    painter.setBrush(slate);
    painter.drawRect(board);
    // Half-wiped chalk.
    painter.setPen(Qt::NoPen);
    Random smudge(12);
    for (int i = 0; i < 9; ++i) {
        painter.setBrush(QColor(255, 255, 255, 6 + smudge.below(8)));
        painter.drawEllipse(QPointF(smudge.uniform(60, w - 60), smudge.uniform(60, h - 90)),
                            smudge.uniform(50, 130), smudge.uniform(20, 50));
    }
    // Chalk tray with chalk and a sponge.
    painter.setBrush(QColor(110, 72, 38));
    painter.drawRect(QRectF(10, h - 40, w - 20, 14));
    painter.setBrush(QColor(245, 245, 240));
    painter.drawRoundedRect(QRectF(120, h - 48, 44, 9), 4, 4);
    painter.setBrush(QColor(250, 220, 120));
    painter.drawRoundedRect(QRectF(180, h - 47, 30, 8), 4, 4);
    painter.setBrush(QColor(230, 160, 180));
    painter.drawRoundedRect(QRectF(222, h - 47, 24, 8), 4, 4);
    painter.setBrush(QColor(70, 80, 120));
    painter.drawRoundedRect(QRectF(w - 190, h - 58, 80, 20), 5, 5);
    painter.setBrush(QColor(200, 180, 140));
    painter.drawRoundedRect(QRectF(w - 190, h - 44, 80, 8), 3, 3);

    // Everything written in chalk goes on its own layer first.
    QImage chalk = canvas(w, h);
    {
        QPainter c(&chalk);
        begin(c);
        c.setPen(QColor(250, 250, 245));
        drawCentredText(c, QStringLiteral("Lentora"), scriptFont(96), QPointF(w / 2.0, 110), -3);
        c.setPen(QPen(QColor(250, 250, 245), 4, Qt::SolidLine, Qt::RoundCap));
        c.setBrush(Qt::NoBrush);
        QPainterPath underline(QPointF(170, 160));
        underline.cubicTo(QPointF(260, 148), QPointF(340, 156), QPointF(430, 142));
        c.drawPath(underline);
        const QColor colours[] = {QColor(250, 250, 245), QColor(250, 226, 120),
                                  QColor(245, 170, 190), QColor(160, 215, 245)};
        Random place(13);
        for (int i = 0; i < kLetters.size(); ++i) {
            const double angle = std::numbers::pi * (0.12 + 0.76 * i / (kLetters.size() - 1));
            const QPointF centre(w / 2.0 - 215 * std::cos(angle), 250 + 100 * std::sin(angle) - 30);
            c.setPen(colours[i % 4]);
            drawCentredText(c, kLetters.mid(i, 1), sansFont(place.uniform(40, 54)), centre,
                            place.uniform(-14, 14));
        }
        c.setPen(QColor(250, 250, 245));
        drawCentredText(c, QStringLiteral("ą ę į ų · i y u ū"), scriptFont(34),
                        QPointF(w / 2.0, 372));
    }
    chalkify(chalk, 14);
    painter.drawImage(0, 0, chalk);
    return image;
}

QImage notebook() {
    const int w = kBackgroundWidth, h = kBackgroundHeight;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    begin(painter);
    painter.fillRect(image.rect(), QColor(212, 196, 170));  // the desk under the page
    const QRectF page(26, 10, w - 44, h - 20);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawRect(page.translated(5, 5));
    QLinearGradient paper(page.topLeft(), page.bottomRight());
    paper.setColorAt(0, QColor(255, 253, 244));
    paper.setColorAt(1, QColor(247, 241, 226));
    painter.setBrush(paper);
    painter.drawRect(page);
    // Ruled lines and the margin.
    painter.setPen(QPen(QColor(150, 185, 225), 1));
    for (double y = page.top() + 60; y < page.bottom() - 8; y += 26) {
        painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
    }
    painter.setPen(QPen(QColor(225, 110, 110), 1.5));
    painter.drawLine(QPointF(page.left() + 62, page.top()),
                     QPointF(page.left() + 62, page.bottom()));
    // Spiral binding.
    for (double y = page.top() + 20; y < page.bottom() - 10; y += 28) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(90, 80, 70));
        painter.drawEllipse(QPointF(page.left() + 16, y), 5, 5);
        painter.setPen(QPen(QColor(150, 150, 160), 3, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(page.left() - 14, y - 7, 32, 14), 90 * 16, 180 * 16);
    }
    // Handwriting in blue ink, sitting on the lines.
    const QColor ink(32, 60, 150);
    painter.setPen(ink);
    painter.setFont(scriptFont(64));
    painter.drawText(QPointF(page.left() + 120, page.top() + 112), QStringLiteral("Lentora"));
    painter.setFont(scriptFont(30));
    const QString lines[] = {QStringLiteral("Ąžuolas, šaltinis, žiema, vyšnia."),
                             QStringLiteral("Gražus rytas, švarus ąsotėlis."),
                             QStringLiteral("Mokausi rašyti be klaidų!")};
    double baseline = page.top() + 60 + 26 * 4 - 3;
    for (const QString& line : lines) {
        painter.drawText(QPointF(page.left() + 82, baseline), line);
        baseline += 52;
    }
    // A pencil resting on the page.
    painter.save();
    painter.translate(w - 170, h - 70);
    painter.rotate(-24);
    painter.setPen(QPen(QColor(60, 50, 30), 1));
    painter.setBrush(QColor(240, 190, 40));
    painter.drawRect(QRectF(0, -8, 150, 16));
    painter.setBrush(QColor(235, 150, 160));
    painter.drawRoundedRect(QRectF(150, -8, 18, 16), 3, 3);
    painter.setBrush(QColor(190, 190, 190));
    painter.drawRect(QRectF(142, -8, 10, 16));
    painter.setBrush(QColor(240, 215, 170));
    painter.drawPolygon(QPolygonF{QPointF(0, -8), QPointF(0, 8), QPointF(-26, 0)});
    painter.setBrush(QColor(50, 50, 50));
    painter.drawPolygon(QPolygonF{QPointF(-18, -2.5), QPointF(-18, 2.5), QPointF(-26, 0)});
    painter.restore();
    return image;
}

QImage meadow() {
    const int w = kBackgroundWidth, h = kBackgroundHeight;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    begin(painter);
    QLinearGradient sky(0, 0, 0, h * 0.6);
    sky.setColorAt(0, QColor(110, 170, 230));
    sky.setColorAt(1, QColor(215, 235, 250));
    painter.fillRect(image.rect(), sky);
    QRadialGradient glow(QPointF(w - 110, 90), 110);
    glow.setColorAt(0, QColor(255, 250, 200, 255));
    glow.setColorAt(0.35, QColor(255, 230, 120, 255));
    glow.setColorAt(0.4, QColor(255, 240, 170, 120));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(w - 110, 90), 110, 110);
    drawCloud(painter, QPointF(140, 90), 70, QColor(255, 255, 255, 235));
    drawCloud(painter, QPointF(330, 60), 45, QColor(255, 255, 255, 210));
    // Rolling hills, far to near.
    const QColor greens[] = {QColor(150, 200, 120), QColor(110, 175, 85), QColor(80, 150, 60)};
    const double tops[] = {250, 300, 350};
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath hill(QPointF(0, h));
        hill.lineTo(0, tops[layer]);
        const double phase = layer * 1.7;
        for (int x = 0; x <= w; x += 8) {
            hill.lineTo(x, tops[layer] - 28 * std::sin(x / (120.0 + 40 * layer) + phase));
        }
        hill.lineTo(w, h);
        painter.setBrush(greens[layer]);
        painter.drawPath(hill);
    }
    // Birds.
    painter.setPen(QPen(QColor(60, 60, 80), 2, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (const QPointF bird : {QPointF(230, 150), QPointF(260, 135), QPointF(285, 160)}) {
        QPainterPath v(bird + QPointF(-9, -4));
        v.quadTo(bird + QPointF(-4, -6), bird);
        v.quadTo(bird + QPointF(4, -6), bird + QPointF(9, -4));
        painter.drawPath(v);
    }
    // A wooden sign with the program's name.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(120, 80, 45));
    painter.drawRect(QRectF(104, 300, 10, 110));
    painter.setBrush(QColor(175, 125, 75));
    painter.setPen(QPen(QColor(110, 70, 35), 2));
    painter.drawRoundedRect(QRectF(40, 270, 140, 50), 6, 6);
    painter.setPen(QColor(255, 248, 230));
    drawCentredText(painter, QStringLiteral("Lentora"), serifFont(28), QPointF(110, 295));
    // Flowers in the grass, seeded so they stay put.
    Random random(31);
    const QColor petals[] = {QColor(255, 255, 255), QColor(250, 210, 60), QColor(230, 110, 150),
                             QColor(150, 130, 230), QColor(245, 120, 90)};
    for (int i = 0; i < 70; ++i) {
        const double y = random.uniform(330, h - 6);
        const double x = random.uniform(6, w - 6);
        const double size = 3 + (y - 330) / 25;
        painter.setPen(QPen(QColor(60, 120, 45), 1.5));
        painter.drawLine(QPointF(x, y), QPointF(x, y + size * 1.6));
        drawFlower(painter, QPointF(x, y), size, petals[random.below(5)]);
    }
    return image;
}

QImage nightSky() {
    const int w = kBackgroundWidth, h = kBackgroundHeight;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    begin(painter);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(14, 20, 58));
    sky.setColorAt(0.6, QColor(52, 44, 110));
    sky.setColorAt(1, QColor(120, 70, 120));
    painter.fillRect(image.rect(), sky);
    // Northern lights: soft bands.
    for (int band = 0; band < 3; ++band) {
        QPainterPath wave;
        const double base = 150 + band * 30;
        wave.moveTo(0, base + 35 * std::sin(band * 1.3));
        for (int x = 6; x <= w; x += 6) {
            wave.lineTo(x, base + 35 * std::sin(x / 90.0 + band * 1.3));
        }
        QPen pen(QColor(90, 230, 170, 40 - band * 8), 40 - band * 8, Qt::SolidLine, Qt::RoundCap);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(wave);
    }
    Random random(41);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 170; ++i) {
        const double size = random.uniform(0.4, 1.8);
        painter.setBrush(QColor(255, 255, 235, 120 + random.below(135)));
        painter.drawEllipse(QPointF(random.uniform(0, w), random.uniform(0, h * 0.7)), size, size);
    }
    painter.setBrush(QColor(255, 250, 225));
    drawStar(painter, QPointF(120, 70), 7, 2.5);
    drawStar(painter, QPointF(470, 200), 5, 2);
    // Crescent moon.
    QPainterPath moon;
    moon.addEllipse(QPointF(w - 120, 85), 42, 42);
    QPainterPath bite;
    bite.addEllipse(QPointF(w - 102, 74), 38, 38);
    painter.setBrush(QColor(255, 245, 200));
    painter.drawPath(moon.subtracted(bite));
    // A forest on the hills.
    QPainterPath hills(QPointF(0, h));
    for (int x = 0; x <= w; x += 8) {
        hills.lineTo(x, h - 70 - 20 * std::sin(x / 110.0));
    }
    hills.lineTo(w, h);
    painter.setBrush(QColor(16, 22, 40));
    painter.drawPath(hills);
    for (int i = 0; i < 42; ++i) {
        const double x = random.uniform(0, w);
        const double ground = h - 70 - 20 * std::sin(x / 110.0);
        const double tall = random.uniform(40, 90);
        painter.drawPolygon(QPolygonF{QPointF(x - tall * 0.22, ground + 4),
                                      QPointF(x + tall * 0.22, ground + 4),
                                      QPointF(x, ground - tall)});
    }
    painter.setPen(QColor(235, 235, 255, 210));
    drawCentredText(painter, QStringLiteral("Lentora"), serifFont(46, QFont::Normal, true),
                    QPointF(w / 2.0, 262));
    return image;
}

QImage bubbles() {
    const int w = kBackgroundWidth, h = kBackgroundHeight;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    begin(painter);
    QLinearGradient base(0, 0, w, h);
    base.setColorAt(0, QColor(255, 214, 186));
    base.setColorAt(0.5, QColor(246, 190, 214));
    base.setColorAt(1, QColor(190, 186, 240));
    painter.fillRect(image.rect(), base);
    Random random(51);
    const QColor tints[] = {QColor(255, 255, 255), QColor(255, 240, 170), QColor(170, 220, 255),
                            QColor(255, 190, 210)};
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 26; ++i) {
        const QPointF centre(random.uniform(0, w), random.uniform(0, h));
        const double radius = random.uniform(14, 70);
        QRadialGradient soft(centre, radius);
        QColor tint = tints[random.below(4)];
        tint.setAlpha(80);
        soft.setColorAt(0, tint);
        tint.setAlpha(30);
        soft.setColorAt(0.9, tint);
        soft.setColorAt(1, QColor(255, 255, 255, 0));
        painter.setBrush(soft);
        painter.drawEllipse(centre, radius, radius);
    }
    // Letters floating in bubbles.
    for (int i = 0; i < kLetters.size(); ++i) {
        const QPointF centre(60 + i * 60 + random.uniform(-10, 10),
                             110 + 70 * std::sin(i * 1.1) + random.uniform(-12, 12));
        const double radius = 24 + random.uniform(0, 6);
        painter.setPen(QPen(QColor(255, 255, 255, 190), 2));
        painter.setBrush(QColor(255, 255, 255, 60));
        painter.drawEllipse(centre, radius, radius);
        painter.setPen(QColor(120, 70, 130));
        drawCentredText(painter, kLetters.mid(i, 1), sansFont(radius * 1.1), centre);
    }
    const QFont title = serifFont(64);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(120, 60, 110, 60));
    painter.drawPath(textPath(QStringLiteral("Lentora"), title, QPointF(w / 2.0 + 3, 338)));
    painter.setBrush(QColor(255, 255, 255));
    painter.drawPath(textPath(QStringLiteral("Lentora"), title, QPointF(w / 2.0, 335)));
    painter.setPen(QColor(110, 60, 110));
    drawCentredText(painter, QStringLiteral("Lietuvių kalbos gramatika ir rašyba"),
                    sansFont(18, QFont::Normal), QPointF(w / 2.0, 390));
    return image;
}

// ---- grades ---------------------------------------------------------------------------------

// 0 for the lowest grade, 1 for the highest.
double mood(int grade) {
    return (std::clamp(grade, 3, 10) - 3) / 7.0;
}

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QColor gradeColour(int grade) {
    // Grey-blue through green to gold.
    const double t = mood(grade);
    if (t < 0.5) {
        return mix(QColor(120, 140, 170), QColor(110, 190, 120), t * 2);
    }
    return mix(QColor(110, 190, 120), QColor(250, 190, 40), (t - 0.5) * 2);
}

void drawGradeBadge(QPainter& painter, int grade, QPointF centre, double radius) {
    painter.setPen(QPen(QColor(255, 255, 255), radius * 0.1));
    painter.setBrush(gradeColour(grade).darker(130));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QColor(255, 255, 255));
    drawCentredText(painter, QString::number(grade), sansFont(radius * (grade == 10 ? 0.95 : 1.2)),
                    centre);
}

QImage faceGrade(int grade) {
    const QSize size = content::gradePictureSize(grade);
    const double w = size.width(), h = size.height();
    const double t = mood(grade);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    begin(painter);
    QRadialGradient back(QPointF(w / 2, h / 2), std::max(w, h) * 0.75);
    back.setColorAt(0, QColor(255, 255, 255));
    back.setColorAt(1, mix(QColor(255, 255, 255), gradeColour(grade), 0.45));
    painter.fillRect(image.rect(), back);

    const double radius = std::min(w, h) * 0.31;
    const QPointF centre(w / 2, h * 0.44);
    // Rays for the happy grades.
    if (grade >= 8) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 220, 90, 90));
        const int rays = 16;
        for (int i = 0; i < rays; ++i) {
            const double a = i * 2 * std::numbers::pi / rays;
            const double b = a + std::numbers::pi / rays;
            painter.drawPolygon(
                QPolygonF{centre, centre + QPointF(std::cos(a), std::sin(a)) * radius * 1.7,
                          centre + QPointF(std::cos(b), std::sin(b)) * radius * 1.7});
        }
    }
    // Face.
    // Blue-grey through a warm pale tone to sunny yellow, avoiding the olive in between.
    const QColor skin = t < 0.5 ? mix(QColor(170, 190, 215), QColor(250, 226, 180), t * 2)
                                : mix(QColor(250, 226, 180), QColor(255, 210, 50), (t - 0.5) * 2);
    QRadialGradient faceFill(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.3);
    faceFill.setColorAt(0, skin.lighter(125));
    faceFill.setColorAt(1, skin.darker(112));
    painter.setPen(QPen(skin.darker(150), radius * 0.04));
    painter.setBrush(faceFill);
    painter.drawEllipse(centre, radius, radius);
    // Eyes and brows.
    const QColor dark(60, 45, 40);
    for (const int side : {-1, 1}) {
        const QPointF eye = centre + QPointF(side * radius * 0.36, -radius * 0.2);
        painter.setPen(Qt::NoPen);
        painter.setBrush(dark);
        if (grade == 10) {
            // Closed, laughing eyes.
            painter.setPen(QPen(dark, radius * 0.07, Qt::SolidLine, Qt::RoundCap));
            painter.setBrush(Qt::NoBrush);
            painter.drawArc(QRectF(eye.x() - radius * 0.14, eye.y() - radius * 0.08, radius * 0.28,
                                   radius * 0.24),
                            0, 180 * 16);
        } else {
            painter.drawEllipse(eye, radius * 0.08, radius * 0.12);
            painter.setBrush(QColor(255, 255, 255));
            painter.drawEllipse(eye + QPointF(radius * 0.025, -radius * 0.04), radius * 0.025,
                                radius * 0.025);
        }
        // Brows rise at the inner end when sad and arch when happy.
        painter.setPen(QPen(dark, radius * 0.05, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        if (t < 0.5) {
            const double tilt = (0.5 - t) * radius * 0.3;
            painter.drawLine(eye + QPointF(-side * radius * 0.13, -radius * 0.2 - tilt),
                             eye + QPointF(side * radius * 0.13, -radius * 0.2 + tilt * 0.3));
        } else {
            const double lift = (t - 0.5) * radius * 0.12;
            QPainterPath brow(eye + QPointF(-radius * 0.13, -radius * 0.2 - lift));
            brow.quadTo(eye + QPointF(0, -radius * 0.3 - lift * 2),
                        eye + QPointF(radius * 0.13, -radius * 0.2 - lift));
            painter.drawPath(brow);
        }
        // Rosy cheeks from 7 up.
        if (grade >= 7) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(240, 120, 110, 90));
            painter.drawEllipse(centre + QPointF(side * radius * 0.55, radius * 0.18),
                                radius * 0.13, radius * 0.08);
        }
    }
    // Mouth: its curve goes from a frown to a wide smile.
    const double curve = (t - 0.35) * radius * 0.9;
    const double half = radius * (0.3 + 0.15 * t);
    const QPointF mouth = centre + QPointF(0, radius * 0.45);
    QPainterPath smile(mouth + QPointF(-half, -curve * 0.3));
    smile.quadTo(mouth + QPointF(0, curve), mouth + QPointF(half, -curve * 0.3));
    if (grade >= 9) {
        smile.quadTo(mouth + QPointF(0, curve * 0.2), mouth + QPointF(-half, -curve * 0.3));
        painter.setPen(QPen(dark, radius * 0.05, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(QColor(170, 50, 60));
    } else {
        painter.setPen(QPen(dark, radius * 0.06, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
    }
    painter.drawPath(smile);
    // A tear for the lowest grade.
    if (grade == 3) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(110, 170, 240));
        const QPointF drop = centre + QPointF(radius * 0.42, radius * 0.05);
        QPainterPath tear(drop + QPointF(0, -radius * 0.12));
        tear.quadTo(drop + QPointF(radius * 0.08, radius * 0.03), drop + QPointF(0, radius * 0.06));
        tear.quadTo(drop + QPointF(-radius * 0.08, radius * 0.03),
                    drop + QPointF(0, -radius * 0.12));
        painter.drawPath(tear);
    }
    // Stars earned: one to five.
    const int stars = 1 + int(std::lround(t * 4));
    const double starSize = std::min(w / 14, 20.0);
    for (int i = 0; i < 5; ++i) {
        painter.setPen(QPen(QColor(150, 110, 20), 1.5));
        painter.setBrush(i < stars ? QColor(255, 200, 40) : QColor(255, 255, 255, 150));
        drawStar(painter, QPointF(w / 2 + (i - 2) * starSize * 2.4, h - starSize * 1.8), starSize,
                 starSize * 0.45);
    }
    drawGradeBadge(painter, grade, QPointF(w - std::min(w, h) * 0.13, std::min(w, h) * 0.13),
                   std::min(w, h) * 0.1);
    return image;
}

QImage weatherGrade(int grade) {
    const QSize size = content::gradePictureSize(grade);
    const double w = size.width(), h = size.height();
    const double t = mood(grade);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    begin(painter);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, mix(QColor(105, 115, 135), QColor(80, 160, 235), t));
    sky.setColorAt(1, mix(QColor(175, 180, 190), QColor(205, 235, 255), t));
    painter.fillRect(image.rect(), sky);
    const double unit = std::min(w, h);
    // Ground.
    QPainterPath ground(QPointF(0, h));
    for (int x = 0; x <= int(w); x += 6) {
        ground.lineTo(x, h * 0.84 - unit * 0.03 * std::sin(x / (w / 3.0)));
    }
    ground.lineTo(w, h * 0.84 - unit * 0.03 * std::sin(3.0));
    ground.lineTo(w, h);
    painter.setPen(Qt::NoPen);
    painter.setBrush(mix(QColor(100, 120, 95), QColor(100, 185, 80), t));
    painter.drawPath(ground);
    // Rainbow for 9 and 10.
    if (grade >= 9) {
        const QColor bands[] = {QColor(230, 60, 60), QColor(245, 150, 40), QColor(245, 225, 60),
                                QColor(90, 190, 80), QColor(70, 130, 220), QColor(130, 80, 190)};
        painter.setBrush(Qt::NoBrush);
        const double band = unit * 0.035;
        for (int i = 0; i < 6; ++i) {
            QColor c = bands[i];
            c.setAlpha(170);
            painter.setPen(QPen(c, band, Qt::SolidLine, Qt::FlatCap));
            const double r = unit * 0.62 - i * band;
            painter.drawArc(QRectF(w * 0.42 - r, h * 0.86 - r, 2 * r, 2 * r), 0, 180 * 16);
        }
    }
    // Confetti stars for the top grade, behind the sun.
    Random sparkle(800 + grade);
    if (grade == 10) {
        for (int i = 0; i < 18; ++i) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor::fromHsv(sparkle.below(360), 170, 255));
            drawStar(painter, QPointF(sparkle.uniform(0, w), sparkle.uniform(0, h * 0.7)),
                     unit * 0.025, unit * 0.011, sparkle.uniform(0, 1));
        }
    }
    // Sun: hidden for the lowest grades, growing brighter above.
    const QPointF sunCentre(w * 0.68, h * 0.32);
    const double sunRadius = unit * 0.16;
    if (grade >= 5) {
        painter.setPen(QPen(QColor(255, 200, 40), unit * 0.018, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 12; ++i) {
            const double a = i * std::numbers::pi / 6;
            const QPointF dir(std::cos(a), std::sin(a));
            painter.drawLine(sunCentre + dir * sunRadius * 1.25, sunCentre + dir * sunRadius * 1.6);
        }
        QRadialGradient sun(sunCentre, sunRadius);
        sun.setColorAt(0, QColor(255, 245, 150));
        sun.setColorAt(1, QColor(255, 190, 30));
        painter.setPen(Qt::NoPen);
        painter.setBrush(sun);
        painter.drawEllipse(sunCentre, sunRadius, sunRadius);
    }
    // Clouds and rain for the lower grades.
    const QPointF cloudCentre(w * 0.42, h * 0.36);
    if (grade <= 7) {
        const double cloudSize = unit * (0.42 - 0.03 * (grade - 3));
        const QColor cloud = mix(QColor(95, 100, 115), QColor(250, 250, 252), mood(grade) * 1.4);
        if (grade <= 5) {
            painter.setPen(QPen(QColor(90, 140, 220), unit * 0.012, Qt::SolidLine, Qt::RoundCap));
            Random drops(700 + grade);
            const int count = grade == 3 ? 26 : grade == 4 ? 18 : 8;
            for (int i = 0; i < count; ++i) {
                const QPointF top(cloudCentre.x() + drops.uniform(-0.8, 0.8) * cloudSize,
                                  cloudCentre.y() + cloudSize * 0.45 + drops.uniform(0, h * 0.3));
                painter.drawLine(top, top + QPointF(-unit * 0.015, unit * 0.045));
            }
        }
        if (grade == 3) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(255, 220, 60));
            const QPointF bolt = cloudCentre + QPointF(cloudSize * 0.3, cloudSize * 0.3);
            painter.drawPolygon(QPolygonF{
                bolt, bolt + QPointF(-unit * 0.06, unit * 0.14), bolt + QPointF(0, unit * 0.13),
                bolt + QPointF(-unit * 0.04, unit * 0.26), bolt + QPointF(unit * 0.07, unit * 0.09),
                bolt + QPointF(unit * 0.01, unit * 0.1), bolt + QPointF(unit * 0.05, 0)});
        }
        drawCloud(painter, cloudCentre, cloudSize, cloud);
        painter.setPen(QColor(255, 255, 255));
        painter.setPen(grade <= 5 ? QColor(255, 255, 255) : QColor(90, 110, 140));
        drawCentredText(painter, QString::number(grade), sansFont(cloudSize * 0.55),
                        cloudCentre + QPointF(0, -cloudSize * 0.02));
    } else {
        painter.setPen(QColor(200, 90, 20));
        drawCentredText(painter, QString::number(grade),
                        sansFont(sunRadius * (grade == 10 ? 0.8 : 1.1)), sunCentre);
    }
    if (grade >= 8) {
        drawCloud(painter, QPointF(w * 0.2, h * 0.2), unit * 0.12, QColor(255, 255, 255, 230));
    }
    // Flowers on the grass from 6 up.
    if (grade >= 6) {
        for (int i = 0; i < (grade - 5) * 5; ++i) {
            drawFlower(painter,
                       QPointF(sparkle.uniform(8, w - 8), sparkle.uniform(h * 0.88, h - 8)),
                       unit * 0.018, QColor::fromHsv(sparkle.below(360), 120, 255));
        }
    }
    return image;
}

// ---- about ----------------------------------------------------------------------------------

QImage aboutChalk() {
    const int w = kAboutWidth, h = kAboutHeight;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    begin(painter);
    painter.fillRect(image.rect(), QColor(150, 102, 58));
    QRadialGradient slate(QPointF(w / 2.0, h / 2.0), w * 0.7);
    slate.setColorAt(0, QColor(50, 90, 68));
    slate.setColorAt(1, QColor(28, 58, 43));
    painter.setPen(QPen(QColor(80, 50, 25), 3));
    painter.setBrush(slate);
    painter.drawRect(QRectF(16, 16, w - 32, h - 32));

    QImage chalk = canvas(w, h);
    {
        QPainter c(&chalk);
        begin(c);
        const QColor white(250, 250, 245);
        c.setPen(white);
        drawCentredText(c, QStringLiteral("Lentora"), scriptFont(104), QPointF(w / 2.0, 120));
        c.setPen(QPen(QColor(250, 226, 120), 4, Qt::SolidLine, Qt::RoundCap));
        c.drawLine(QPointF(130, 180), QPointF(390, 176));
        c.setPen(white);
        drawCentredText(c, QStringLiteral("Lietuvių kalbos"), sansFont(28, QFont::Normal),
                        QPointF(w / 2.0, 225));
        drawCentredText(c, QStringLiteral("gramatika ir rašyba"), sansFont(28, QFont::Normal),
                        QPointF(w / 2.0, 262));
        c.setPen(QColor(160, 215, 245));
        drawCentredText(c, QStringLiteral("Ą Č Ę Ė Į Š Ų Ū Ž"), sansFont(30),
                        QPointF(w / 2.0, 330));
        c.setPen(white);
        drawCentredText(c, QStringLiteral("Mokomoji programa"), scriptFont(36),
                        QPointF(w / 2.0, 395));
        c.setPen(QColor(245, 170, 190));
        drawCentredText(c, QStringLiteral("Versija 0.1"), sansFont(20, QFont::Normal),
                        QPointF(w / 2.0, 450));
    }
    chalkify(chalk, 61);
    painter.drawImage(0, 0, chalk);
    return image;
}

void drawOpenBook(QPainter& painter, QPointF centre, double width) {
    const double height = width * 0.55;
    painter.setPen(QPen(QColor(120, 60, 40), 2));
    painter.setBrush(QColor(160, 60, 50));
    painter.drawRoundedRect(
        QRectF(centre.x() - width / 2 - 6, centre.y() - height / 2 + 6, width + 12, height + 6), 6,
        6);
    for (const int side : {-1, 1}) {
        QPainterPath page(centre + QPointF(0, -height / 2 + 10));
        page.cubicTo(centre + QPointF(side * width * 0.2, -height / 2 - 4),
                     centre + QPointF(side * width * 0.35, -height / 2 - 2),
                     centre + QPointF(side * width / 2, -height / 2 + 4));
        page.lineTo(centre + QPointF(side * width / 2, height / 2 + 2));
        page.cubicTo(centre + QPointF(side * width * 0.35, height / 2 - 6),
                     centre + QPointF(side * width * 0.2, height / 2 - 6),
                     centre + QPointF(0, height / 2 + 6));
        page.closeSubpath();
        painter.setPen(QPen(QColor(170, 150, 120), 1.5));
        painter.setBrush(QColor(255, 252, 240));
        painter.drawPath(page);
        painter.setPen(QPen(QColor(170, 170, 190), 2, Qt::SolidLine, Qt::RoundCap));
        for (int line = 0; line < 5; ++line) {
            const double y = centre.y() - height / 2 + 24 + line * height * 0.15;
            painter.drawLine(QPointF(centre.x() + side * width * 0.08, y),
                             QPointF(centre.x() + side * width * 0.42, y));
        }
    }
}

QImage aboutBook() {
    const int w = kAboutWidth, h = kAboutHeight;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    begin(painter);
    QLinearGradient back(0, 0, 0, h);
    back.setColorAt(0, QColor(252, 244, 226));
    back.setColorAt(1, QColor(236, 216, 186));
    painter.fillRect(image.rect(), back);
    // Lithuanian tricolour ribbon across the top.
    const QColor flag[] = {QColor(253, 185, 19), QColor(0, 106, 68), QColor(193, 39, 45)};
    for (int i = 0; i < 3; ++i) {
        painter.fillRect(QRectF(0, i * 8, w, 8), flag[i]);
    }
    drawOpenBook(painter, QPointF(w / 2.0, 130), 220);
    const QFont title = serifFont(72);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(120, 80, 40, 60));
    painter.drawPath(textPath(QStringLiteral("Lentora"), title, QPointF(w / 2.0 + 3, 273)));
    painter.setBrush(QColor(120, 40, 30));
    painter.drawPath(textPath(QStringLiteral("Lentora"), title, QPointF(w / 2.0, 270)));
    painter.setPen(QColor(70, 50, 40));
    drawCentredText(painter, QStringLiteral("Lietuvių kalbos gramatika ir rašyba"),
                    serifFont(21, QFont::Normal, true), QPointF(w / 2.0, 330));
    painter.setPen(QPen(QColor(160, 120, 80), 1.5));
    painter.drawLine(QPointF(110, 360), QPointF(w - 110, 360));
    painter.setPen(QColor(90, 70, 60));
    drawCentredText(painter, QStringLiteral("Teorija · Pratimai · Įvertinimai"),
                    sansFont(17, QFont::Normal), QPointF(w / 2.0, 392));
    drawCentredText(painter, QStringLiteral("Versija 0.1"), sansFont(15, QFont::Normal),
                    QPointF(w / 2.0, 440));
    painter.setBrush(QColor(253, 185, 19));
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        drawStar(painter, QPointF(w / 2.0 + (i - 1) * 34, 478), 10, 4.5);
    }
    return image;
}

}  // namespace

QImage drawBackground(int number) {
    switch (number) {
        case 1:
            return chalkboard();
        case 2:
            return notebook();
        case 3:
            return meadow();
        case 4:
            return nightSky();
        default:
            return bubbles();
    }
}

QImage drawGradePicture(int grade, int variant) {
    return variant == 0 ? faceGrade(grade) : weatherGrade(grade);
}

QImage drawAboutPicture(int variant) {
    return variant == 0 ? aboutChalk() : aboutBook();
}

}  // namespace lentora::course

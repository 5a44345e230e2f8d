#include "mapi/qt/ExchangeFolderIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>
#include <numbers>

#include "mapi/FolderTree.h"

namespace mapiqt {

namespace {

using Drawing = std::function<void(QPainter&)>;

// Each picture is drawn in a 16 x 16 square of its own units.
QPixmap render(const Drawing& draw, qreal pixelRatio) {
    const int side = static_cast<int>(std::ceil(16 * pixelRatio));
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 16.0, side / 16.0);
    draw(painter);
    painter.end();
    pixmap.setDevicePixelRatio(pixelRatio);
    return pixmap;
}

const QColor kOutline(90, 70, 20);

void folderBack(QPainter& p, const QColor& face) {
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(face.darker(115));
    p.drawPath(back);
}

void closedFolder(QPainter& p, const QColor& face) {
    folderBack(p, face);
    p.setBrush(face);
    p.drawRect(QRectF(1.5, 6.5, 13, 7));
}

// The front flap tilted away: the folder is open.
void openFolder(QPainter& p, const QColor& face) {
    folderBack(p, face);
    QPolygonF flap({{3.5, 7}, {15.5, 7}, {13.5, 13.5}, {1.5, 13.5}});
    p.setBrush(face.lighter(115));
    p.drawPolygon(flap);
}

const QColor kFolderYellow(240, 200, 80);
const QColor kGreyFolder(185, 185, 185);

void server(QPainter& p) {
    p.setPen(QPen(QColor(50, 55, 65), 1));
    p.setBrush(QColor(150, 160, 175));
    p.drawRoundedRect(QRectF(3.5, 0.5, 9, 15), 1, 1);
    p.setBrush(QColor(90, 100, 115));
    for (const qreal y : {2.5, 5.5, 8.5}) {
        p.drawRect(QRectF(5, y, 6, 1.5));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 200, 80));
    p.drawEllipse(QPointF(10.5, 13), 1.2, 1.2);
}

// A cylinder: the stores are databases of folders.
void store(QPainter& p, const QColor& face) {
    p.setPen(QPen(QColor(25, 50, 110), 1));
    p.setBrush(face);
    QPainterPath body;
    body.moveTo(2.5, 3.5);
    body.lineTo(2.5, 12.5);
    body.arcTo(QRectF(2.5, 10.5, 11, 4), 180, 180);
    body.lineTo(13.5, 3.5);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(face.lighter(130));
    p.drawEllipse(QRectF(2.5, 1.5, 11, 4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 6.5, 11, 4), 180 * 16, 180 * 16);
}

void crossedOut(QPainter& p) {
    p.setPen(QPen(QColor(200, 30, 30), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 8), QPointF(14, 13));
    p.drawLine(QPointF(14, 8), QPointF(9, 13));
}

Drawing pictureDrawing(int number) {
    switch (number) {
        case mapi::kPictureFolder:
            return [](QPainter& p) { closedFolder(p, kFolderYellow); };
        case mapi::kPictureFolderSelected:
            return [](QPainter& p) { openFolder(p, kFolderYellow); };
        case mapi::kPictureServer:
            return server;
        case mapi::kPictureStore:
            return [](QPainter& p) { store(p, QColor(70, 120, 210)); };
        case mapi::kPictureStoreSelected:
            return [](QPainter& p) { store(p, QColor(110, 170, 250)); };
        case mapi::kPictureUnavailable:
            return [](QPainter& p) {
                closedFolder(p, kGreyFolder);
                crossedOut(p);
            };
        case mapi::kPictureUnavailableSelected:
            return [](QPainter& p) {
                openFolder(p, kGreyFolder);
                crossedOut(p);
            };
        default:
            return [](QPainter&) {};
    }
}

// The pixel ratios of the scalings a desktop offers, so that the icon need not be scaled.
constexpr qreal kPixelRatios[] = {1.0, 1.25, 1.5, 2.0, 3.0};

void addPicture(QIcon& icon, int number, QIcon::Mode mode) {
    for (const qreal ratio : kPixelRatios) {
        QPixmap pixmap = render(pictureDrawing(number), ratio);
        // The icon chooses by pixel size; the ratio is put back when it hands one out.
        pixmap.setDevicePixelRatio(1.0);
        icon.addPixmap(pixmap, mode);
    }
}

}  // namespace

const QIcon& ExhangeFolderIcons::nodeIcon(int picture, int selectedPicture) {
    auto [at, added] = icons_.try_emplace({picture, selectedPicture});
    if (added) {
        addPicture(at->second, picture, QIcon::Normal);
        addPicture(at->second, selectedPicture, QIcon::Selected);
    }
    return at->second;
}

QPixmap SleepFrame(int index, qreal pixelRatio) {
    // Eight dots on a ring; the bright one goes round one place a frame, the others fade
    // behind it.
    return render(
        [index](QPainter& p) {
            p.setPen(Qt::NoPen);
            for (int dot = 0; dot < kSleepFrames; ++dot) {
                const int behind = (index - dot + kSleepFrames) % kSleepFrames;
                const double angle =
                    dot * 2 * std::numbers::pi / kSleepFrames - std::numbers::pi / 2;
                QColor colour(40, 90, 200);
                colour.setAlphaF(1.0 - behind * 0.11);
                p.setBrush(colour);
                p.drawEllipse(QPointF(8 + 5.5 * std::cos(angle), 8 + 5.5 * std::sin(angle)),
                              behind == 0 ? 2.0 : 1.5, behind == 0 ? 2.0 : 1.5);
            }
        },
        pixelRatio);
}

}  // namespace mapiqt

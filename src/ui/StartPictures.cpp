#include "ui/StartPictures.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>
#include <system_error>
#include <utility>

namespace quendar::ui {

namespace {

QImage starField(int w, int h, quint32 seed, double planetX) {
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(6, 8, 30));
    sky.setColorAt(1, QColor(22, 12, 48));
    p.fillRect(img.rect(), sky);
    QRandomGenerator rng(seed);  // the same stars every time
    for (int i = 0; i < w * h / 300; ++i) {
        const int b = 120 + rng.bounded(136);
        p.setPen(QColor(b, b, std::min(255, b + 30)));
        p.drawPoint(rng.bounded(w), rng.bounded(h));
    }
    if (planetX < 0) return img;
    // A ringed planet low on the left.
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient planet(QPointF(w * planetX, h * 0.78), h * 0.3,
                           QPointF(w * (planetX - 0.06), h * 0.7));
    planet.setColorAt(0, QColor(90, 170, 220));
    planet.setColorAt(1, QColor(10, 40, 80));
    p.setBrush(planet);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(w * planetX, h * 0.78), h * 0.22, h * 0.22);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 180, 120, 180), 3));
    p.drawEllipse(QPointF(w * planetX, h * 0.78), h * 0.4, h * 0.07);
    return img;
}

void caption(QImage& img, const QString& big, const QString& small) {
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f("Sans");
    f.setPixelSize(img.height() / 6);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(240, 200, 90));
    p.drawText(QRect(0, img.height() / 5, img.width(), img.height() / 4), Qt::AlignCenter, big);
    f.setPixelSize(img.height() / 16);
    f.setBold(false);
    p.setFont(f);
    p.setPen(QColor(210, 220, 255));
    p.drawText(QRect(0, img.height() * 9 / 20, img.width(), img.height() * 11 / 20),
               Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, small);
}

}  // namespace

QImage splashImage() {
    QImage img = starField(480, 300, 7, 0.18);
    caption(img, "Quendar", "Vexion Mission Editor");
    return img;
}

QImage firstRunImage() {
    // Stars only: the text fills the picture.
    QImage img = starField(560, 340, 11, -1);
    caption(img, "Welcome",
            "This is the first start of the editor.\nChoose your preferences and the look of "
            "the map\non the next pages.\n\nClick to continue.");
    return img;
}

SplashAhead::SplashAhead() {
    if (std::thread::hardware_concurrency() < 2) return;
    try {
        m_thread = std::thread([this] { m_image = splashImage(); });
    } catch (const std::system_error&) {
    }
}

SplashAhead::~SplashAhead() {
    if (m_thread.joinable()) m_thread.join();
}

QImage SplashAhead::take() {
    if (m_thread.joinable()) m_thread.join();
    if (m_image.isNull()) return splashImage();
    return std::exchange(m_image, QImage());
}

SplashForm::SplashForm(QWidget* parent, QImage picture)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      m_image(picture.isNull() ? splashImage() : std::move(picture)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(m_image.size());
    // Centred on the screen (there may be no window manager to place it).
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QTimer::singleShot(kTimeoutMs, this, &QWidget::close);
}

void SplashForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_image);
}

FirstRunPicture::FirstRunPicture(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_image(firstRunImage()) {
    setModal(true);
    setFixedSize(m_image.size());
}

void FirstRunPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_image);
}

void FirstRunPicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) accept();
}

}  // namespace quendar::ui

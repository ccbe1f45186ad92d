#pragma once

#include <QDialog>
#include <QImage>
#include <QWidget>
#include <thread>

namespace quendar::ui {

// The start pictures, drawn in code: a star field with the program's name.
QImage splashImage();
QImage firstRunImage();

// The splash picture drawn on a thread of its own while the window is being
// built. Drawing its texts also makes the toolkit read the system's font
// configuration and list the fonts, which the window's own first texts would
// otherwise wait for. Without a second processor, or when no thread can be
// started, the picture is drawn by take().
class SplashAhead {
  public:
    SplashAhead();
    ~SplashAhead();
    SplashAhead(const SplashAhead&) = delete;
    SplashAhead& operator=(const SplashAhead&) = delete;
    // Waits for the picture; the second call draws it afresh.
    QImage take();

  private:
    QImage m_image;
    std::thread m_thread;
};

// Shown while the editor starts; closes itself after 5000 ms, or earlier when
// the frame calls finish().
class SplashForm : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kTimeoutMs = 5000;
    // `picture` is the splash picture when it was drawn ahead, or null.
    explicit SplashForm(QWidget* parent = nullptr, QImage picture = {});
    void finish() { close(); }

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override { close(); }

  private:
    QImage m_image;
};

// The picture of the first start; a left click closes it.
class FirstRunPicture : public QDialog {
    Q_OBJECT
  public:
    explicit FirstRunPicture(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QImage m_image;
};

}  // namespace quendar::ui

#pragma once

#include <QDialog>
#include <QImage>
#include <QWidget>

namespace quendar::ui {

// The start pictures, drawn in code: a star field with the program's name.
QImage splashImage();
QImage firstRunImage();

// Shown while the editor starts; closes itself after 5000 ms, or earlier when
// the frame calls finish().
class SplashForm : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kTimeoutMs = 5000;
    explicit SplashForm(QWidget* parent = nullptr);
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

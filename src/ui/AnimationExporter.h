#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "app/animation/AnimationJob.h"
#include "app/editor/Editor.h"
#include "app/editor/FileChooser.h"
#include "core/Prompter.h"

class QAction;
class QProgressDialog;
class QTimer;
class QWidget;

namespace quendar::ui {

// Briefing > Export Animation...: the file (WebP or GIF, the dialog starts in
// the folder of the last export), then the time range, frame rate and size;
// the frames are drawn and encoded on a thread of their own from a copy of
// the mission taken now, while a progress box counts them and can cancel.
// The editor stays usable meanwhile; one export runs at a time.
class AnimationExporter : public QObject {
    Q_OBJECT
  public:
    struct Ports {
        app::FileChooser& chooser;
        core::Prompter& prompter;
        std::function<bool(core::FormModel&)> runModal;
        std::function<std::pair<int, int>()> mapSize;    // the picture's default size
        std::function<void(const std::string&)> status;  // the message pane
        QString settingsFile;  // where the last folder is kept; empty: nowhere
    };
    AnimationExporter(QWidget* window, app::Editor& editor, Ports ports);
    ~AnimationExporter() override;

    QAction* action() const { return m_action; }
    void start();
    // The running export and its progress box (none when idle).
    app::AnimationJob* job() const { return m_job.get(); }
    QProgressDialog* progressBox() const { return m_box; }
    // Looks at the running export: the count, or its end.
    void poll();

  private:
    QWidget* m_window;
    app::Editor& m_editor;
    Ports m_ports;
    QAction* m_action = nullptr;
    QTimer* m_timer = nullptr;
    QProgressDialog* m_box = nullptr;
    std::unique_ptr<app::AnimationJob> m_job;
    std::string m_folder;
    QString m_name;  // the file's name, for the box and the message pane
};

}  // namespace quendar::ui

#include "ui/AnimationExporter.h"

#include <QAction>
#include <QFileInfo>
#include <QProgressDialog>
#include <QSettings>
#include <QTimer>

#include "ui/BriefingPicture.h"
#include "ui/FormBinder.h"

namespace quendar::ui {

namespace {
constexpr const char* kCaption = "Export Animation";
constexpr const char* kFolderKey = "animation/folder";
}  // namespace

AnimationExporter::AnimationExporter(QWidget* window, app::Editor& editor, Ports ports)
    : QObject(window), m_window(window), m_editor(editor), m_ports(std::move(ports)) {
    m_action = new QAction("Export &Animation...", this);
    m_action->setObjectName("exportAnimation");
    m_action->setStatusTip("Save the briefing as an animated WebP or GIF picture");
    connect(m_action, &QAction::triggered, this, &AnimationExporter::start);
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &AnimationExporter::poll);
    if (!m_ports.settingsFile.isEmpty())
        m_folder = QSettings(m_ports.settingsFile, QSettings::IniFormat)
                       .value(kFolderKey)
                       .toString()
                       .toStdString();
}

AnimationExporter::~AnimationExporter() = default;

void AnimationExporter::start() {
    if (m_job) {
        m_box->show();
        m_box->raise();
        return;
    }
    const auto path = m_ports.chooser.chooseSave(app::animationFileRequest(m_folder));
    if (!path) return;
    const auto format = app::animationFormatOf(*path);
    if (!format) {
        m_ports.prompter.tell("An animation is saved as a .webp or a .gif file.", kCaption,
                              core::Icon::Exclamation);
        return;
    }
    m_folder = app::folderOf(*path);
    if (!m_ports.settingsFile.isEmpty())
        QSettings(m_ports.settingsFile, QSettings::IniFormat)
            .setValue(kFolderKey, QString::fromStdString(m_folder));
    const auto [w, h] = m_ports.mapSize();
    app::AnimationExportForm form(m_editor.briefing.briefingEndTime(), w, h);
    if (!m_ports.runModal(form)) return;

    const int width = form.width(), height = form.height();
    m_job = std::make_unique<app::AnimationJob>(
        std::make_unique<app::BriefingSnapshot>(m_editor),
        [width, height](const app::BriefingSnapshot& s) {
            return std::make_unique<BriefingPicture>(s.store, s.settings, s.switches, s.icons,
                                                     width, height);
        },
        form.range(), *format, *path);
    m_name = QFileInfo(QString::fromStdString(*path)).fileName();
    // Not modal: the editor goes on while the frames are drawn.
    m_box = new QProgressDialog(m_window);
    m_box->setObjectName("animationProgress");
    m_box->setWindowTitle(kCaption);
    m_box->setWindowModality(Qt::NonModal);
    m_box->setAutoClose(false);
    m_box->setAutoReset(false);
    m_box->setMinimumDuration(0);
    m_box->setRange(0, std::max(1, m_job->progress().total.load()));
    connect(m_box, &QProgressDialog::canceled, this, [this] {
        if (m_job) m_job->cancel();
    });
    poll();
    m_box->show();
    m_timer->start(100);
}

void AnimationExporter::poll() {
    if (!m_job) return;
    const int total = m_job->progress().total, done = m_job->progress().done;
    m_box->setMaximum(std::max(1, total));
    m_box->setValue(std::min(done, total));
    m_box->setLabelText(QString("Exporting %1: %2 / %3 frames").arg(m_name).arg(done).arg(total));
    if (!m_job->finished()) return;
    m_timer->stop();
    const app::AnimationOutcome outcome = m_job->outcome();
    m_job.reset();
    m_box->deleteLater();
    m_box = nullptr;
    using Status = app::AnimationOutcome::Status;
    if (outcome.status == Status::Failed) {
        m_ports.prompter.tell(outcome.message, kCaption, core::Icon::Exclamation);
    } else if (m_ports.status) {
        m_ports.status(outcome.status == Status::Cancelled
                           ? "Export of " + m_name.toStdString() + " cancelled"
                           : "Exported " + m_name.toStdString() + ": " +
                                 std::to_string(outcome.frames) + " frames, " +
                                 std::to_string(outcome.pictures) + " pictures, " +
                                 std::to_string((outcome.bytes + 1023) / 1024) + " KB");
    }
}

}  // namespace quendar::ui

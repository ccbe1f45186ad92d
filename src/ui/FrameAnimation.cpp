// The main frame's part of the animation export: Briefing > Export
// Animation... at the end of the Briefing menu.
#include <QMenu>
#include <QMenuBar>

#include "ui/AnimationExporter.h"
#include "ui/CMainFrame.h"
#include "ui/MapWindow.h"

namespace quendar::ui {

void CMainFrame::buildAnimationExport() {
    AnimationExporter::Ports ports{
        m_chooser,
        m_prompter,
        [this](core::FormModel& form) { return runModal(form); },
        [this] {
            const QSize s = m_mapWindow->viewport()->size();
            return std::pair<int, int>(std::max(s.width(), 1), std::max(s.height(), 1));
        },
        [this](const std::string& text) { setPaneText(app::Pane::Message, text); },
        m_options.settingsFile};
    m_animationExporter = new AnimationExporter(this, m_editor, std::move(ports));
    for (QAction* top : menuBar()->actions())
        if (top->menu() && top->text() == "&Briefing") {
            top->menu()->addSeparator();
            top->menu()->addAction(m_animationExporter->action());
        }
}

}  // namespace quendar::ui

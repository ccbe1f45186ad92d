#include <QTimer>

#include "ui/FormBinder.h"

namespace quendar::ui {

FormHost::~FormHost() {
    // At the end nothing is inside a handler any more: the windows go at once.
    for (auto& [key, entry] : m_modeless) delete entry.dialog.data();
    m_modeless.clear();
}

bool FormHost::runModal(core::FormModel& model) {
    model.accepted = false;
    if (actionGroups) model.setActionGroups(actionGroups);
    FormDialog dlg(model, m_parent);
    dlg.setModal(true);
    if (modalHook) {
        QTimer::singleShot(0, &dlg, [this, &dlg] { modalHook(dlg); });
    }
    dlg.exec();
    return model.accepted;
}

FormDialog* FormHost::showModeless(app::FormKey key, std::shared_ptr<core::FormModel> model) {
    close(key);
    if (actionGroups) model->setActionGroups(actionGroups);
    auto* dlg = new FormDialog(*model, m_parent);
    dlg->keepAlive(model);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->setModal(false);
    m_modeless[key] = Entry{std::move(model), dlg};
    dlg->show();
    return dlg;
}

void FormHost::close(app::FormKey key) {
    auto it = m_modeless.find(key);
    if (it == m_modeless.end()) return;
    // The old window may be the one whose button asked for this: hide it now
    // and let it go once its handler has returned (it keeps its model alive).
    if (FormDialog* old = it->second.dialog.data()) {
        old->notifyClosing();
        old->hide();
        old->deleteLater();
    }
    m_modeless.erase(it);
}

void FormHost::closeAll() {
    while (!m_modeless.empty()) close(m_modeless.begin()->first);
}

void FormHost::hideAll() {
    for (auto& [key, entry] : m_modeless)
        if (entry.dialog) entry.dialog->hide();
}

bool FormHost::isOpen(app::FormKey key) const {
    auto it = m_modeless.find(key);
    return it != m_modeless.end() && it->second.dialog && it->second.dialog->isVisible();
}

FormDialog* FormHost::dialog(app::FormKey key) const {
    auto it = m_modeless.find(key);
    return it == m_modeless.end() ? nullptr : it->second.dialog.data();
}

core::FormModel* FormHost::model(app::FormKey key) const {
    auto it = m_modeless.find(key);
    return it == m_modeless.end() || !it->second.dialog ? nullptr : it->second.model.get();
}

std::vector<app::FormKey> FormHost::openKeys() const {
    std::vector<app::FormKey> keys;
    for (const auto& [k, e] : m_modeless)
        if (e.dialog) keys.push_back(k);
    return keys;
}

}  // namespace quendar::ui

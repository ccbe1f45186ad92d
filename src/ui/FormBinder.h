#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/editor/FormKeys.h"
#include "core/FormModel.h"

class QWidget;

class QGroupBox;
class QLabel;
class QTimer;

namespace quendar::ui {

// A dialog built from a toolkit-free form model. Every widget change goes to
// the model (choose / type / select / click, exactly what the tests call);
// afterwards, and whenever the model sends `refreshed`, every widget re-reads
// its value, items, enabled and visible state. The model's `closeRequested`
// closes the dialog.
class FormDialog : public QDialog {
    Q_OBJECT
  public:
    FormDialog(core::FormModel& model, QWidget* parent);
    ~FormDialog() override;
    friend class FormHost;

    core::FormModel& model() { return m_model; }
    // The widget bound to a control (QComboBox, QListWidget, QCheckBox, the
    // radio group's QWidget holding its QRadioButtons, QLineEdit, QSlider,
    // QLabel, QPushButton), or nullptr.
    QWidget* widgetFor(std::string_view id) const;
    void refresh();
    // A modeless dialog owns its model, so that a window that is being
    // replaced from inside one of its own handlers never outlives it.
    void keepAlive(std::shared_ptr<core::FormModel> model) { m_keepAlive = std::move(model); }
    // Follows the model's timer interval (started, restarted or stopped);
    // a window that hands the model input of its own calls it afterwards.
    void syncTimer();

    // Escape: refused while the model says the window may not close.
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct Bound {
        const core::Control* control = nullptr;
        QWidget* widget = nullptr;
        QWidget* caption = nullptr;  // the label placed beside edits, sliders and lists
        QGroupBox* box = nullptr;    // its group box, when the caption follows the model
        std::vector<std::string> items;
    };
    void build();
    // The widget of a control, connected to the model; one maker per kind.
    QWidget* makeWidget(const core::Control& c);
    QWidget* makeDropDown(const core::Control& c);
    QWidget* makeList(const core::Control& c);
    QWidget* makeCheckBox(const core::Control& c);
    QWidget* makeRadioGroup(const core::Control& c);
    QWidget* makeTextBox(const core::Control& c);  // a multi-line edit
    QWidget* makeLineEdit(const core::Control& c);
    QWidget* makeSlider(const core::Control& c);
    QWidget* makeButton(const core::Control& c);
    // The user picked entry or value `index` of control `id`.
    void chosen(const std::string& id, int index);
    void refreshOne(Bound& b);
    void afterUserChange();
    void notifyClosing();

    core::FormModel& m_model;
    std::shared_ptr<core::FormModel> m_keepAlive;
    QTimer* m_timer = nullptr;
    std::vector<Bound> m_bound;
    bool m_refreshing = false;
    bool m_closingByModel = false;
    bool m_closingSent = false;
    core::Notifier<>::Connection m_refreshConn;
    core::Notifier<>::Connection m_closeConn;
};

// Opens form models as dialogs. Modal forms live while they are shown;
// modeless forms are kept by key, and opening a key that is already open
// destroys its window first and builds a new one from the model, so a form
// opened again always shows fresh data.
class FormHost {
  public:
    explicit FormHost(QWidget* parent) : m_parent(parent) {}
    ~FormHost();

    // Shows the model modally; returns the model's `accepted`.
    bool runModal(core::FormModel& model);

    FormDialog* showModeless(app::FormKey key, std::shared_ptr<core::FormModel> model);
    void close(app::FormKey key);
    void closeAll();
    // Hides every modeless window (the main window is closing).
    void hideAll();
    bool isOpen(app::FormKey key) const;
    FormDialog* dialog(app::FormKey key) const;
    core::FormModel* model(app::FormKey key) const;
    std::vector<app::FormKey> openKeys() const;

    // Tests script modal forms: when set, it is called once the modal dialog
    // is showing, and must close it (through the model or the dialog).
    std::function<void(FormDialog&)> modalHook;
    // Every form shown here makes its changes actions of these groups.
    core::ActionGroups* actionGroups = nullptr;

  private:
    struct Entry {
        std::shared_ptr<core::FormModel> model;
        QPointer<FormDialog> dialog;
    };
    QWidget* m_parent;
    std::map<app::FormKey, Entry> m_modeless;
};

// A label whose text is shown as it is: names, paths and mission texts may
// hold "<" or "&", which the toolkit would otherwise read as markup.
QLabel* plainLabel(const QString& text, QWidget* parent);

}  // namespace quendar::ui

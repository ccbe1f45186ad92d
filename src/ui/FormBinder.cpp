#include "ui/FormBinder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/TextConversions.h"

namespace quendar::ui {

using core::Control;
using core::ControlKind;

QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    return l;
}

namespace {

QPixmap toPixmap(const core::RgbaImage& img) {
    if (img.empty() || img.pixels.size() < static_cast<size_t>(img.width) * img.height) return {};
    // 0xAARRGGBB words are the toolkit's ARGB32 layout; copy out of the buffer.
    const QImage view(reinterpret_cast<const uchar*>(img.pixels.data()), img.width, img.height,
                      img.width * 4, QImage::Format_ARGB32);
    return QPixmap::fromImage(view.copy());
}

bool takesCaption(ControlKind k) {
    return k == ControlKind::DropDown || k == ControlKind::ListBox || k == ControlKind::MultiList ||
           k == ControlKind::Edit || k == ControlKind::NumberEdit || k == ControlKind::Slider;
}

// What a control shows at a refresh: its entries, whether they differ from
// those shown before, and its value (-1: none).
struct Shown {
    const std::vector<std::string>& items;
    bool itemsChanged;
    int value;
};

void refreshDropDown(QComboBox& cb, const Shown& s) {
    if (s.itemsChanged) {
        cb.clear();
        for (const auto& it : s.items) cb.addItem(fromLatin(it));
    }
    cb.setCurrentIndex(s.value < cb.count() ? s.value : -1);
}

void refreshList(QListWidget& lw, const Control& c, const Shown& s) {
    if (s.itemsChanged) {
        lw.clear();
        for (const auto& it : s.items) lw.addItem(fromLatin(it));
    }
    if (c.kind == ControlKind::ListBox) {
        lw.setCurrentRow(s.value >= 0 && s.value < lw.count() ? s.value : -1);
    } else if (c.selection) {
        std::vector<int> sel = c.selection();
        for (int r = 0; r < lw.count(); ++r)
            lw.item(r)->setSelected(std::find(sel.begin(), sel.end(), r) != sel.end());
    }
}

void refreshCheckBox(QCheckBox& cb, const Control& c, const Shown& s) {
    cb.setText(buttonText(c.label));
    cb.setCheckState(s.value == 2  ? Qt::PartiallyChecked
                     : s.value > 0 ? Qt::Checked
                                   : Qt::Unchecked);
}

void refreshRadioGroup(QWidget& w, const Control& c, const Shown& s) {
    auto* group = w.findChild<QButtonGroup*>("group");
    if (s.itemsChanged) {
        for (QAbstractButton* old : group->buttons()) {
            group->removeButton(old);
            delete old;
        }
        for (size_t i = 0; i < s.items.size(); ++i) {
            auto* rb = new QRadioButton(buttonText(s.items[i]), &w);
            group->addButton(rb, static_cast<int>(i));
            w.layout()->addWidget(rb);
        }
    }
    for (QAbstractButton* rb : group->buttons()) {
        const int i = group->id(rb);
        const QSignalBlocker rbBlock(rb);
        rb->setEnabled(!c.itemEnabled || c.itemEnabled(i));
        rb->setChecked(i == s.value);
    }
    // No entry chosen: clear the exclusive group's mark.
    if (s.value < 0 || s.value >= static_cast<int>(s.items.size())) {
        group->setExclusive(false);
        for (QAbstractButton* rb : group->buttons()) rb->setChecked(false);
        group->setExclusive(true);
    }
}

void refreshTextBox(QPlainTextEdit& pe, const Control& c) {
    const QString t = c.text ? fromLatin(c.text()) : QString();
    if (editText(pe) != t) pe.setPlainText(t);
}

void refreshLineEdit(QLineEdit& le, const Control& c, const Shown& s) {
    QString t;
    if (c.text)
        t = fromLatin(c.text());
    else if (c.value)
        t = numberText(s.value);
    // A stored text may be longer than what typing may store (a full 20-byte
    // name under a 19-character limit): it shows whole, and typing cannot make
    // it longer.
    if (c.maxLength > 0) le.setMaxLength(std::max<int>(c.maxLength, t.size()));
    if (le.text() != t) le.setText(t);
}

void refreshSlider(QSlider& sl, const Control& c, const Shown& s) {
    sl.setRange(c.minimum, c.maximum);
    sl.setValue(s.value);
}

}  // namespace

FormDialog::FormDialog(core::FormModel& model, QWidget* parent) : QDialog(parent), m_model(model) {
    setWindowTitle(fromLatin(model.title()));
    if (!model.hasCaption()) setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    build();
    m_refreshConn = m_model.refreshed.connect([this] { refresh(); });
    m_closeConn = m_model.closeRequested.connect([this] {
        // Closing from inside a widget's own signal: finish the call first.
        QTimer::singleShot(0, this, [this] {
            m_closingByModel = true;
            done(m_model.accepted ? Accepted : Rejected);
        });
    });
    refresh();
    // A form with a timer hears its ticks while the window is shown: one
    // timer, at the interval the model asks for. It stands still while a
    // tick runs, so a message box raised from a tick hears no further ticks.
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_timer->stop();
        m_model.tick();
        refresh();
        syncTimer();
    });
    syncTimer();
}

void FormDialog::syncTimer() {
    const int ms = m_model.timerInterval();
    if (ms <= 0)
        m_timer->stop();
    else if (!m_timer->isActive() || m_timer->interval() != ms)
        m_timer->start(ms);
}

FormDialog::~FormDialog() {
    // An edit that still has the focus would report its end while the
    // children are being destroyed; the model has heard its last by now.
    for (const Bound& b : m_bound)
        if (auto* edit = qobject_cast<QLineEdit*>(b.widget)) edit->disconnect(this);
    notifyClosing();
}

void FormDialog::notifyClosing() {
    if (m_closingSent) return;
    m_closingSent = true;
    m_model.closing();
}

void FormDialog::closeEvent(QCloseEvent* event) {
    if (!m_closingByModel && !m_model.mayClose()) {
        event->ignore();
        return;
    }
    // The window's own close button is no accepting button.
    if (!m_closingByModel) m_model.accepted = false;
    notifyClosing();
    QDialog::closeEvent(event);
}

void FormDialog::reject() {
    // Escape: refused while the form must not be closed.
    if (!m_closingByModel && !m_model.mayClose()) return;
    QDialog::reject();
}

QWidget* FormDialog::widgetFor(std::string_view id) const {
    for (const auto& b : m_bound)
        if (b.control->id == id) return b.widget;
    return nullptr;
}

void FormDialog::build() {
    auto* outer = new QVBoxLayout(this);
    auto* plain = new QGridLayout;
    outer->addLayout(plain);
    std::map<std::string, QGridLayout*> groups;
    std::map<QGridLayout*, int> nextRow;
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QGridLayout* buttonBlock = nullptr;
    int blockCount = 0;
    QGridLayout* inlineGrid = nullptr;
    int inlineRow = 0, inlineColumn = 0, inlineLeft = 0;

    m_bound.reserve(m_model.controls().size());
    for (const Control& c : m_model.controls()) {
        m_bound.push_back(Bound{&c, nullptr, nullptr, nullptr, {}});
        Bound& b = m_bound.back();
        QWidget* w = makeWidget(c);
        b.widget = w;

        // Ungrouped push buttons: OK, Cancel and Close end the dialog in its
        // button row; a run of other buttons flows four to a row where it stands.
        if (c.kind == ControlKind::Button && c.group.empty() && c.row < 0) {
            const std::string shown = core::displayLabel(c.label);
            if (shown == "OK" || shown == "Cancel" || shown == "Close") {
                buttons->addWidget(w);
            } else {
                if (!buttonBlock) {
                    buttonBlock = new QGridLayout;
                    outer->addLayout(buttonBlock);
                    blockCount = 0;
                }
                buttonBlock->addWidget(w, blockCount / 4, blockCount % 4);
                ++blockCount;
            }
            continue;
        }
        buttonBlock = nullptr;
        QGridLayout* grid = plain;
        if (!c.group.empty()) {
            auto it = groups.find(c.group);
            if (it == groups.end()) {
                auto* box = new QGroupBox(buttonText(c.group), this);
                auto* g = new QGridLayout(box);
                outer->addWidget(box);
                it = groups.emplace(c.group, g).first;
            }
            grid = it->second;
            if (c.groupCaption) b.box = qobject_cast<QGroupBox*>(grid->parentWidget());
        }
        // A number edit's unit text and its "Auto control" box read as one
        // line ("[4] km or [x] Auto control"): without placement hints they
        // continue the edit's row.
        const bool trailing =
            c.row < 0 && inlineLeft > 0 && grid == inlineGrid &&
            (c.kind == ControlKind::StaticText || c.kind == ControlKind::CheckBox);
        int row, col;
        if (trailing) {
            row = inlineRow;
            col = inlineColumn++;
            --inlineLeft;
        } else {
            row = c.row >= 0 ? c.row : nextRow[grid];
            col = c.column * 2;
            inlineLeft = 0;
        }
        nextRow[grid] = std::max(nextRow[grid], row + 1);
        if (trailing) {
            grid->addWidget(w, row, col);
        } else if (takesCaption(c.kind) && !c.label.empty()) {
            auto* cap = plainLabel(plainText(c.label), this);
            b.caption = cap;
            grid->addWidget(cap, row, col);
            grid->addWidget(w, row, col + 1);
        } else {
            grid->addWidget(w, row, col, 1, 2);
        }
        if (!trailing && (c.kind == ControlKind::NumberEdit || c.kind == ControlKind::Edit)) {
            inlineGrid = grid;
            inlineRow = row;
            inlineColumn = col + 2;
            inlineLeft = 2;
        }
    }
    outer->addLayout(buttons);
}

QWidget* FormDialog::makeWidget(const Control& c) {
    switch (c.kind) {
        case ControlKind::DropDown: return makeDropDown(c);
        case ControlKind::ListBox:
        case ControlKind::MultiList: return makeList(c);
        case ControlKind::CheckBox:
        case ControlKind::TriState: return makeCheckBox(c);
        case ControlKind::RadioGroup: return makeRadioGroup(c);
        case ControlKind::Edit:
        case ControlKind::NumberEdit: return c.multiLine ? makeTextBox(c) : makeLineEdit(c);
        case ControlKind::Slider: return makeSlider(c);
        case ControlKind::Button: return makeButton(c);
        case ControlKind::StaticText: return plainLabel({}, this);
        case ControlKind::Picture: break;
    }
    return new QLabel(this);
}

void FormDialog::chosen(const std::string& id, int index) {
    m_model.choose(id, index);
    afterUserChange();
}

QWidget* FormDialog::makeDropDown(const Control& c) {
    auto* w = new QComboBox(this);
    if (c.width > 0) w->setMinimumWidth(c.width);
    connect(w, &QComboBox::activated, this, [this, id = c.id](int i) { chosen(id, i); });
    return w;
}

QWidget* FormDialog::makeList(const Control& c) {
    auto* w = new QListWidget(this);
    if (c.kind == ControlKind::MultiList) {
        w->setSelectionMode(QAbstractItemView::ExtendedSelection);
        connect(w, &QListWidget::itemSelectionChanged, this, [this, id = c.id, w] {
            if (m_refreshing) return;
            std::vector<int> rows;
            for (int r = 0; r < w->count(); ++r)
                if (w->item(r)->isSelected()) rows.push_back(r);
            m_model.select(id, rows);
            afterUserChange();
        });
    } else {
        connect(w, &QListWidget::currentRowChanged, this, [this, id = c.id](int r) {
            if (!m_refreshing && r >= 0) chosen(id, r);
        });
    }
    return w;
}

QWidget* FormDialog::makeCheckBox(const Control& c) {
    auto* w = new QCheckBox(buttonText(c.label), this);
    w->setTristate(c.kind == ControlKind::TriState);
    connect(w, &QCheckBox::clicked, this, [this, id = c.id, w] {
        chosen(id, w->checkState() == Qt::Checked            ? 1
                   : w->checkState() == Qt::PartiallyChecked ? 2
                                                             : 0);
    });
    return w;
}

QWidget* FormDialog::makeRadioGroup(const Control& c) {
    auto* w = new QWidget(this);
    auto* lay = new QHBoxLayout(w);
    lay->setContentsMargins(0, 0, 0, 0);
    if (!c.label.empty()) lay->addWidget(plainLabel(plainText(c.label), w));
    auto* group = new QButtonGroup(w);
    group->setObjectName("group");
    connect(group, &QButtonGroup::idClicked, this, [this, id = c.id](int i) { chosen(id, i); });
    return w;
}

QWidget* FormDialog::makeTextBox(const Control& c) {
    auto* w = new QPlainTextEdit(this);
    if (c.width > 0) w->setMinimumWidth(c.width);
    connect(w, &QPlainTextEdit::textChanged, this, [this, id = c.id, w] {
        if (m_refreshing) return;
        m_model.type(id, toLatin(editText(*w)));
    });
    return w;
}

QWidget* FormDialog::makeLineEdit(const Control& c) {
    // The length limit is set with the text (refreshLineEdit).
    auto* w = new QLineEdit(this);
    if (c.width > 0) w->setMinimumWidth(c.width);
    // Digits only; the model decides what a number out of its range means.
    if (c.kind == ControlKind::NumberEdit)
        w->setValidator(new QRegularExpressionValidator(
            QRegularExpression(c.minimum < 0 ? "-?[0-9]*" : "[0-9]*"), w));
    connect(w, &QLineEdit::textEdited, this, [this, &c](const QString& t) {
        if (c.kind == ControlKind::NumberEdit && !c.setText) {
            m_model.choose(c.id, typedNumber(t));
        } else {
            m_model.type(c.id, toLatin(t));
        }
        afterUserChange();
    });
    // Leaving the edit ends its run of keystrokes as one undo step, and runs
    // the control's own end-of-editing action if it has one.
    connect(w, &QLineEdit::editingFinished, this, [this, &c] {
        if (m_refreshing) return;
        m_model.finishEditing(c.id);
        if (c.editingFinished) afterUserChange();
    });
    return w;
}

QWidget* FormDialog::makeSlider(const Control& c) {
    auto* w = new QSlider(Qt::Horizontal, this);
    w->setRange(c.minimum, c.maximum);
    if (c.width > 0) w->setMinimumWidth(c.width);
    const bool byThumb = static_cast<bool>(c.thumbMoved);
    connect(w, &QSlider::valueChanged, this, [this, id = c.id, w, byThumb](int v) {
        if (m_refreshing || (byThumb && w->isSliderDown())) return;
        chosen(id, v);
    });
    if (byThumb) {
        connect(w, &QSlider::sliderMoved, this, [this, id = c.id](int v) {
            m_model.dragThumb(id, v);
            afterUserChange();
        });
        connect(w, &QSlider::sliderReleased, this, [this, id = c.id, w] {
            m_model.dragThumb(id, w->value());
            afterUserChange();
        });
    }
    return w;
}

QWidget* FormDialog::makeButton(const Control& c) {
    auto* w = new QPushButton(buttonText(c.label), this);
    w->setAutoDefault(false);
    connect(w, &QPushButton::clicked, this, [this, id = c.id] {
        m_model.click(id);
        afterUserChange();
    });
    return w;
}

void FormDialog::afterUserChange() {
    // A change may rename, enable or refill other controls; re-read them all.
    refresh();
    syncTimer();
}

void FormDialog::refresh() {
    m_refreshing = true;
    setWindowTitle(fromLatin(m_model.title()));
    for (auto& b : m_bound) refreshOne(b);
    m_refreshing = false;
}

void FormDialog::refreshOne(Bound& b) {
    const Control& c = *b.control;
    QWidget* w = b.widget;
    const QSignalBlocker block(w);
    w->setEnabled(c.isEnabled());
    w->setVisible(c.isVisible());
    if (b.caption) b.caption->setVisible(c.isVisible());
    if (b.box) b.box->setTitle(literalButtonText(c.groupCaption()));

    std::vector<std::string> items = c.items ? c.items() : std::vector<std::string>{};
    const bool itemsChanged = items != b.items;
    if (itemsChanged) b.items = items;
    const Shown shown{items, itemsChanged, c.value ? c.value() : -1};

    switch (c.kind) {
        case ControlKind::DropDown: refreshDropDown(*static_cast<QComboBox*>(w), shown); break;
        case ControlKind::ListBox:
        case ControlKind::MultiList: refreshList(*static_cast<QListWidget*>(w), c, shown); break;
        case ControlKind::CheckBox:
        case ControlKind::TriState: refreshCheckBox(*static_cast<QCheckBox*>(w), c, shown); break;
        case ControlKind::RadioGroup: refreshRadioGroup(*w, c, shown); break;
        case ControlKind::Edit:
        case ControlKind::NumberEdit:
            if (c.multiLine)
                refreshTextBox(*static_cast<QPlainTextEdit*>(w), c);
            else
                refreshLineEdit(*static_cast<QLineEdit*>(w), c, shown);
            break;
        case ControlKind::Slider: refreshSlider(*static_cast<QSlider*>(w), c, shown); break;
        case ControlKind::Button: static_cast<QPushButton*>(w)->setText(buttonText(c.label)); break;
        case ControlKind::StaticText:
            static_cast<QLabel*>(w)->setText(c.text ? fromLatin(c.text()) : plainText(c.label));
            break;
        case ControlKind::Picture:
            if (c.image) static_cast<QLabel*>(w)->setPixmap(toPixmap(c.image()));
            break;
    }
}

}  // namespace quendar::ui

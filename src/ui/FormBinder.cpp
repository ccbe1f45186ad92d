#include "ui/FormBinder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
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
#include <QStringDecoder>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

namespace quendar::ui {

using core::Control;
using core::ControlKind;

QString fromLatin(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string toLatin(const QString& s) {
    const QByteArray b = s.toLatin1();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

QString fromPath(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string toPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString fromMixed(std::string_view s) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(s.data(), static_cast<qsizetype>(s.size())));
    return utf8.hasError() ? fromLatin(s) : text;
}

QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    return l;
}

namespace {

QString editText(const QPlainTextEdit& edit) {
    // The document's own characters: toPlainText() would turn every
    // non-breaking space (byte 0xA0) into a plain one. Paragraph and line
    // separators are the text's line breaks.
    QString t = edit.document()->toRawText();
    t.replace(QChar::ParagraphSeparator, u'\n');
    t.replace(QChar::LineSeparator, u'\n');
    return t;
}

// Buttons and group boxes read "&" as a mnemonic mark and "&&" as one "&",
// which is how the models write their labels; plain labels get the shown text.
QString buttonText(const std::string& label) { return fromLatin(label); }
QString plainText(const std::string& label) { return fromLatin(core::displayLabel(label)); }

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
        QWidget* w = makeWidget(c, b);
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

QWidget* FormDialog::makeWidget(const Control& c, Bound& b) {
    const std::string id = c.id;
    const auto choose = [this, id](int i) {
        m_model.choose(id, i);
        afterUserChange();
    };
    switch (c.kind) {
        case ControlKind::DropDown: {
            auto* w = new QComboBox(this);
            if (c.width > 0) w->setMinimumWidth(c.width);
            connect(w, &QComboBox::activated, this, choose);
            return w;
        }
        case ControlKind::ListBox:
        case ControlKind::MultiList: {
            auto* w = new QListWidget(this);
            if (c.kind == ControlKind::MultiList) {
                w->setSelectionMode(QAbstractItemView::ExtendedSelection);
                connect(w, &QListWidget::itemSelectionChanged, this, [this, id, w] {
                    if (m_refreshing) return;
                    std::vector<int> rows;
                    for (int r = 0; r < w->count(); ++r)
                        if (w->item(r)->isSelected()) rows.push_back(r);
                    m_model.select(id, rows);
                    afterUserChange();
                });
            } else {
                connect(w, &QListWidget::currentRowChanged, this, [this, choose](int r) {
                    if (!m_refreshing && r >= 0) choose(r);
                });
            }
            return w;
        }
        case ControlKind::CheckBox:
        case ControlKind::TriState: {
            auto* w = new QCheckBox(buttonText(c.label), this);
            w->setTristate(c.kind == ControlKind::TriState);
            connect(w, &QCheckBox::clicked, this, [choose, w] {
                choose(w->checkState() == Qt::Checked            ? 1
                       : w->checkState() == Qt::PartiallyChecked ? 2
                                                                 : 0);
            });
            return w;
        }
        case ControlKind::RadioGroup: {
            auto* w = new QWidget(this);
            auto* lay = new QHBoxLayout(w);
            lay->setContentsMargins(0, 0, 0, 0);
            if (!c.label.empty()) lay->addWidget(plainLabel(plainText(c.label), w));
            auto* group = new QButtonGroup(w);
            group->setObjectName("group");
            connect(group, &QButtonGroup::idClicked, this, choose);
            return w;
        }
        case ControlKind::Edit:
        case ControlKind::NumberEdit: {
            if (c.multiLine) {
                auto* w = new QPlainTextEdit(this);
                if (c.width > 0) w->setMinimumWidth(c.width);
                connect(w, &QPlainTextEdit::textChanged, this, [this, id, w] {
                    if (m_refreshing) return;
                    m_model.type(id, toLatin(editText(*w)));
                });
                return w;
            }
            // The length limit is set with the text (refreshOne).
            auto* w = new QLineEdit(this);
            if (c.width > 0) w->setMinimumWidth(c.width);
            // Digits only; the model decides what a number out of its range means.
            if (c.kind == ControlKind::NumberEdit)
                w->setValidator(new QRegularExpressionValidator(
                    QRegularExpression(c.minimum < 0 ? "-?[0-9]*" : "[0-9]*"), w));
            connect(w, &QLineEdit::textEdited, this, [this, id, &c](const QString& t) {
                if (c.kind == ControlKind::NumberEdit && !c.setText) {
                    m_model.choose(id, t.toInt());
                } else {
                    m_model.type(id, toLatin(t));
                }
                afterUserChange();
            });
            // Leaving the edit ends its run of keystrokes as one undo step,
            // and runs the control's own end-of-editing action if it has one.
            connect(w, &QLineEdit::editingFinished, this, [this, id, &c] {
                if (m_refreshing) return;
                m_model.finishEditing(id);
                if (c.editingFinished) afterUserChange();
            });
            return w;
        }
        case ControlKind::Slider: {
            auto* w = new QSlider(Qt::Horizontal, this);
            w->setRange(c.minimum, c.maximum);
            if (c.width > 0) w->setMinimumWidth(c.width);
            const bool byThumb = static_cast<bool>(c.thumbMoved);
            connect(w, &QSlider::valueChanged, this, [this, id, w, byThumb](int v) {
                if (m_refreshing || (byThumb && w->isSliderDown())) return;
                m_model.choose(id, v);
                afterUserChange();
            });
            if (byThumb) {
                connect(w, &QSlider::sliderMoved, this, [this, id](int v) {
                    m_model.dragThumb(id, v);
                    afterUserChange();
                });
                connect(w, &QSlider::sliderReleased, this, [this, id, w] {
                    m_model.dragThumb(id, w->value());
                    afterUserChange();
                });
            }
            return w;
        }
        case ControlKind::Button: {
            auto* w = new QPushButton(buttonText(c.label), this);
            w->setAutoDefault(false);
            connect(w, &QPushButton::clicked, this, [this, id] {
                m_model.click(id);
                afterUserChange();
            });
            return w;
        }
        case ControlKind::Picture:
        case ControlKind::StaticText: break;
    }
    (void)b;
    return c.kind == ControlKind::StaticText ? plainLabel({}, this) : new QLabel(this);
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
    if (b.box) b.box->setTitle(fromLatin(c.groupCaption()).replace('&', "&&"));

    std::vector<std::string> items = c.items ? c.items() : std::vector<std::string>{};
    const bool itemsChanged = items != b.items;
    if (itemsChanged) b.items = items;
    const int value = c.value ? c.value() : -1;

    switch (c.kind) {
        case ControlKind::DropDown: {
            auto* cb = static_cast<QComboBox*>(w);
            if (itemsChanged) {
                cb->clear();
                for (const auto& it : items) cb->addItem(fromLatin(it));
            }
            cb->setCurrentIndex(value < cb->count() ? value : -1);
            break;
        }
        case ControlKind::ListBox:
        case ControlKind::MultiList: {
            auto* lw = static_cast<QListWidget*>(w);
            if (itemsChanged) {
                lw->clear();
                for (const auto& it : items) lw->addItem(fromLatin(it));
            }
            if (c.kind == ControlKind::ListBox) {
                lw->setCurrentRow(value >= 0 && value < lw->count() ? value : -1);
            } else if (c.selection) {
                std::vector<int> sel = c.selection();
                for (int r = 0; r < lw->count(); ++r)
                    lw->item(r)->setSelected(std::find(sel.begin(), sel.end(), r) != sel.end());
            }
            break;
        }
        case ControlKind::CheckBox:
        case ControlKind::TriState: {
            auto* cb = static_cast<QCheckBox*>(w);
            cb->setText(buttonText(c.label));
            cb->setCheckState(value == 2  ? Qt::PartiallyChecked
                              : value > 0 ? Qt::Checked
                                          : Qt::Unchecked);
            break;
        }
        case ControlKind::RadioGroup: {
            auto* group = w->findChild<QButtonGroup*>("group");
            if (itemsChanged) {
                for (QAbstractButton* old : group->buttons()) {
                    group->removeButton(old);
                    delete old;
                }
                for (size_t i = 0; i < items.size(); ++i) {
                    auto* rb = new QRadioButton(buttonText(items[i]), w);
                    group->addButton(rb, static_cast<int>(i));
                    w->layout()->addWidget(rb);
                }
            }
            for (QAbstractButton* rb : group->buttons()) {
                const int i = group->id(rb);
                const QSignalBlocker rbBlock(rb);
                rb->setEnabled(!c.itemEnabled || c.itemEnabled(i));
                rb->setChecked(i == value);
            }
            // No entry chosen: clear the exclusive group's mark.
            if (value < 0 || value >= static_cast<int>(items.size())) {
                group->setExclusive(false);
                for (QAbstractButton* rb : group->buttons()) rb->setChecked(false);
                group->setExclusive(true);
            }
            break;
        }
        case ControlKind::Edit:
        case ControlKind::NumberEdit: {
            if (c.multiLine) {
                auto* pe = static_cast<QPlainTextEdit*>(w);
                const QString t = c.text ? fromLatin(c.text()) : QString();
                if (editText(*pe) != t) pe->setPlainText(t);
                break;
            }
            auto* le = static_cast<QLineEdit*>(w);
            QString t;
            if (c.text)
                t = fromLatin(c.text());
            else if (c.value)
                t = QString::number(value);
            // A stored text may be longer than what typing may store (a full
            // 20-byte name under a 19-character limit): it shows whole, and
            // typing cannot make it longer.
            if (c.maxLength > 0) le->setMaxLength(std::max<int>(c.maxLength, t.size()));
            if (le->text() != t) le->setText(t);
            break;
        }
        case ControlKind::Slider: {
            auto* s = static_cast<QSlider*>(w);
            s->setRange(c.minimum, c.maximum);
            s->setValue(value);
            break;
        }
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

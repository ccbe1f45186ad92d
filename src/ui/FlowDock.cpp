#include "ui/FlowDock.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/FormBinder.h"
#include "ui/QPainterCanvas.h"
#include "ui/TextConversions.h"

namespace quendar::ui {

FlowPicture::FlowPicture(app::FlowView& view, QWidget* parent) : QWidget(parent), m_view(view) {
    setObjectName("flowPicture");
    setMouseTracking(false);
}

QSize FlowPicture::sizeHint() const {
    const auto& l = m_view.layout();
    return QSize(static_cast<int>(l.width) + 16, static_cast<int>(l.height) + 16);
}

void FlowPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QPainterCanvas canvas(p, width(), height());
    m_view.paint(canvas, -8, -8);
}

void FlowPicture::mousePressEvent(QMouseEvent* e) {
    const int node = m_view.nodeAt(e->position().x() - 8, e->position().y() - 8);
    if (e->button() == Qt::LeftButton) {
        m_view.click(node);
    } else if (e->button() == Qt::RightButton && m_view.shipgroupOf(node) >= 0 && nodeMenu) {
        nodeMenu(node, e->globalPosition().toPoint());
    }
}

void FlowPicture::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        m_view.doubleClick(m_view.nodeAt(e->position().x() - 8, e->position().y() - 8));
}

FlowDock::FlowDock(app::FlowView& view, QWidget* parent)
    : QDockWidget("Mission Flow", parent), m_view(view) {
    setObjectName("flowDock");
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* top = new QHBoxLayout;
    m_filter = new QLineEdit(body);
    m_filter->setObjectName("flowFilter");
    m_filter->setPlaceholderText("Filter by name");
    m_filter->setClearButtonEnabled(true);
    m_status = new QLabel(body);
    m_status->setObjectName("flowStatus");
    top->addWidget(m_filter, 1);
    top->addWidget(m_status, 2);
    layout->addLayout(top);
    m_scroll = new QScrollArea(body);
    m_picture = new FlowPicture(view, m_scroll);
    m_scroll->setWidget(m_picture);
    m_scroll->setWidgetResizable(false);
    layout->addWidget(m_scroll, 1);
    setWidget(body);
    body->setMinimumWidth(420);
    connect(m_filter, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_view.setFilter(toLatin(t)); });
    m_changed = m_view.changed.connect([this] { relaid(); });
    relaid();
}

void FlowDock::relaid() {
    m_picture->resize(m_picture->sizeHint());
    m_picture->update();
    const int never = m_view.analysis().neverCount();
    m_status->setText(
        fromLatin((m_view.layoutRunning() ? std::string("Laying out... ") : std::string()) +
                  (never ? std::to_string(never) + " never happen" + (never == 1 ? "s" : "") + "; "
                         : std::string("Nothing is impossible; ")) +
                  "read from the triggers as stored, play may differ"));
}

void FlowDock::reveal(int node) {
    for (const auto& n : m_view.layout().nodes)
        if (n.node == node)
            m_scroll->ensureVisible(static_cast<int>(n.centre.x) + 8,
                                    static_cast<int>(n.centre.y) + 8, static_cast<int>(n.width),
                                    static_cast<int>(n.height));
}

ReferencesDock::ReferencesDock(app::ReferenceList& refs, QWidget* parent)
    : QDockWidget("References", parent), m_refs(refs) {
    setObjectName("referencesDock");
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    m_title = plainLabel({}, body);
    m_title->setObjectName("referencesTitle");
    m_list = new QTreeWidget(body);
    m_list->setObjectName("referenceList");
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({"Field", "Location"});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(true);
    layout->addWidget(m_title);
    layout->addWidget(m_list, 1);
    setWidget(body);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { m_refs.goTo(m_list->indexOfTopLevelItem(item)); });
    m_changed = m_refs.changed.connect([this] { refill(); });
    refill();
}

void ReferencesDock::refill() {
    m_title->setText(fromLatin(m_refs.title()));
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < m_refs.size(); ++i) {
        QStringList columns;
        for (const auto& c : m_refs.row(i)) columns << fromMixed(c);
        items << new QTreeWidgetItem(columns);
    }
    m_list->addTopLevelItems(items);
}

}  // namespace quendar::ui

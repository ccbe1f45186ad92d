#include "ui/ProblemsDock.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/TextConversions.h"

namespace quendar::ui {

ProblemsDock::ProblemsDock(app::ProblemsPanel& panel, QWidget* parent)
    : QDockWidget("Problems", parent), m_panel(panel) {
    setObjectName("problemsDock");
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    m_list = new QTreeWidget(body);
    m_list->setObjectName("problemList");
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({"Code", "Severity", "Location", "Problem"});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(true);
    m_fix = new QPushButton("Fix", body);
    m_fix->setObjectName("problemFix");
    m_fix->setEnabled(false);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_fix, 0, Qt::AlignLeft);
    setWidget(body);

    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { activate(m_list->indexOfTopLevelItem(item)); });
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { currentChanged(); });
    connect(m_fix, &QPushButton::clicked, this,
            [this] { fix(m_list->indexOfTopLevelItem(m_list->currentItem())); });
    m_changed = m_panel.changed.connect([this] { refill(); });
    refill();
}

void ProblemsDock::activate(int row) { m_panel.goTo(row); }

bool ProblemsDock::fix(int row) { return m_panel.applyFix(row); }

void ProblemsDock::refill() {
    const int keep = m_list->indexOfTopLevelItem(m_list->currentItem());
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < static_cast<int>(m_panel.problems().size()); ++i) {
        QStringList columns;
        for (const auto& c : m_panel.row(i)) columns << fromMixed(c);
        items << new QTreeWidgetItem(columns);
    }
    m_list->addTopLevelItems(items);
    if (keep >= 0 && keep < m_list->topLevelItemCount())
        m_list->setCurrentItem(m_list->topLevelItem(keep));
    currentChanged();
}

void ProblemsDock::currentChanged() {
    const std::string label = m_panel.fixLabel(m_list->indexOfTopLevelItem(m_list->currentItem()));
    m_fix->setEnabled(!label.empty());
    m_fix->setText(label.empty() ? QString("Fix") : fromLatin(label));
}

}  // namespace quendar::ui

#include "ui/ChangesDock.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/TextConversions.h"

namespace quendar::ui {

ChangesDock::ChangesDock(app::ChangesPanel& panel, QWidget* parent)
    : QDockWidget("Changes", parent), m_panel(panel) {
    setObjectName("changesDock");
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    m_reference = new QLabel(body);
    m_reference->setObjectName("changesReference");
    m_reference->setTextFormat(Qt::PlainText);
    m_list = new QListWidget(body);
    m_list->setObjectName("changeList");
    m_list->setUniformItemSizes(true);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* buttons = new QHBoxLayout;
    m_revert = new QPushButton("Revert This Change", body);
    m_revert->setObjectName("changeRevert");
    m_saved = new QPushButton("Compare With Saved File", body);
    m_saved->setObjectName("changesSaved");
    buttons->addWidget(m_revert);
    buttons->addWidget(m_saved);
    buttons->addStretch(1);
    layout->addWidget(m_reference);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    setWidget(body);

    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { activate(m_list->row(item)); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { currentChanged(); });
    connect(m_revert, &QPushButton::clicked, this, [this] { revert(m_list->currentRow()); });
    connect(m_saved, &QPushButton::clicked, this, [this] { m_panel.compareWithSaved(); });
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const int row = m_list->row(m_list->itemAt(at));
        if (row < 0) return;
        QMenu menu(this);
        QAction* revertRow = menu.addAction("Revert This Change");
        revertRow->setEnabled(m_panel.canRevert(row));
        QAction* go = menu.addAction("Go To");
        QAction* chosen = menu.exec(m_list->viewport()->mapToGlobal(at));
        if (chosen == revertRow)
            revert(row);
        else if (chosen == go)
            activate(row);
    });
    m_changed = m_panel.changed.connect([this] { refill(); });
    refill();
}

void ChangesDock::activate(int row) { m_panel.goTo(row); }

bool ChangesDock::revert(int row) { return m_panel.revert(row); }

void ChangesDock::refill() {
    const int keep = m_list->currentRow();
    m_list->clear();
    m_reference->setText(fromMixed(m_panel.referenceText()));
    QStringList rows;
    for (int i = 0; i < static_cast<int>(m_panel.changes().size()); ++i)
        rows << fromMixed(m_panel.row(i));
    m_list->addItems(rows);
    if (keep >= 0 && keep < m_list->count()) m_list->setCurrentRow(keep);
    m_saved->setVisible(m_panel.comparingWithOther());
    currentChanged();
}

void ChangesDock::currentChanged() {
    m_revert->setEnabled(m_panel.canRevert(m_list->currentRow()));
}

}  // namespace quendar::ui

#include "ui/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace quendar::ui {

void QtClipboard::put(const std::vector<uint8_t>& records, const std::string& text) {
    auto* data = new QMimeData;
    data->setData(app::kShipgroupsMimeType,
                  QByteArray(reinterpret_cast<const char*>(records.data()),
                             static_cast<qsizetype>(records.size())));
    data->setText(QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())));
    QGuiApplication::clipboard()->setMimeData(data);  // the clipboard takes it
}

std::optional<std::vector<uint8_t>> QtClipboard::records() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(app::kShipgroupsMimeType)) return std::nullopt;
    const QByteArray bytes = data->data(app::kShipgroupsMimeType);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace quendar::ui

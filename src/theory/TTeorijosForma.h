#pragma once

#include <QDialog>

#include <cstdint>

namespace lentora {

// The two-page theory book. (Placeholder until the book is built.)
class TTeorijosForma : public QDialog {
    Q_OBJECT
public:
    explicit TTeorijosForma(QWidget* parent = nullptr);
    bool Execute(std::uint16_t recordNumber);
};

}  // namespace lentora

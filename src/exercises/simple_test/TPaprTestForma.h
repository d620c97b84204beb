#pragma once

#include <QDialog>

#include <cstdint>

namespace lentora {

// The simple test window. (Placeholder until the test is built.)
class TPaprTestForma : public QDialog {
    Q_OBJECT
public:
    explicit TPaprTestForma(QWidget* parent = nullptr);
    bool Execute(std::uint16_t recordNumber, std::int32_t& score, std::int32_t& maxScore);
};

}  // namespace lentora

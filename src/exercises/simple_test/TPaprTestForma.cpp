#include "exercises/simple_test/TPaprTestForma.h"

namespace lentora {

TPaprTestForma::TPaprTestForma(QWidget* parent) : QDialog(parent) {}

bool TPaprTestForma::Execute(std::uint16_t, std::int32_t&, std::int32_t&) { return false; }

}  // namespace lentora

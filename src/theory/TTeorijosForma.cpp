#include "theory/TTeorijosForma.h"

namespace lentora {

TTeorijosForma::TTeorijosForma(QWidget* parent) : QDialog(parent) {}

bool TTeorijosForma::Execute(std::uint16_t) { return false; }

}  // namespace lentora

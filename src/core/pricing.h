#pragma once

// The running total of an order, in whole crowns without VAT.

#include "order.h"

namespace pricing {

// The model's base price, the fitted modules and the accessories that count
// (ticked and enabled), each at the variant ordered.
qint32 total(const Order &order);

} // namespace pricing

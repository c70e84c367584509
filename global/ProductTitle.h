// The product's title, on message boxes and windows that show the product's name.
#pragma once

namespace kelvane {

constexpr char kApplicationTitle[] = "Tessaly Kelvane";

}  // namespace kelvane

// The library's exports, linked into the native tests, run on a virtual
// reader the test makes: the program's portable code calls them as it calls
// Kelvar.dll.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>

#include "kelvar/reader/virtual_reader.h"

namespace test_library {

// A reader holding `field` and the contact cards `contact`, images in
// memory, connected to the built-in reader; the exports use it until the
// next one is made.
kelvar::VirtualReader& UseReader(std::initializer_list<kelvar::CardKind> field, const std::string& contact = "");

}  // namespace test_library

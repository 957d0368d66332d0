#pragma once
// The one printer every graph of the run prints on.
class QPrinter;

namespace tavrel {

// Made on first use at 600 dpi; its orientation and the printer chosen in the
// set-up dialog stay for the rest of the run.
QPrinter& GraphPrinter();

}  // namespace tavrel

#pragma once
// For bench/run. With ZM_BENCH=demarrage in its environment a program prints
// the wall-clock times (ms since the epoch) at which the window system first
// showed its window and at which its first frame was painted, with the
// processor time its main thread and the whole process had used by then, then
// ends at once: nothing needs to watch it, so the measure takes no processor
// from the program measured. Without that variable, nothing happens.

class QWidget;

namespace zm {

// `peint`: the widget whose first paint makes the first frame.
void rapporterDemarrage(QWidget& peint);

} // namespace zm

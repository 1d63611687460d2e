#pragma once
// zelvorlog loads a log or two and exits, so its heap is set up for that at start-up rather
// than for a long-running program.

namespace zelvorlog {

// Call first thing in main. Large blocks stay in the heap, where the room one growing sample
// column gives up is taken by the next instead of each block getting (and faulting in) fresh
// pages of its own; nothing is handed back to the system before exit; and the heap's first
// tens of megabytes come in large pages where the system offers them, which turns thousands of
// page faults of a day's log into a few dozen. Only tuning: without it everything works alike.
void PrepareHeapForOneLoad();

} // namespace zelvorlog

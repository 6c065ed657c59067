#pragma once
// Seam: the run lifecycle's answer to a reader that failed, until the run
// lifecycle is built; it replaces this file whole.

#include <string_view>

// A UDP reader's thread ended with an error: shows and logs "The {} has
// stopped with error: {}" and, unless the run is stopping already, ends the
// run with READER ERROR and a restart after 15 s. Any thread.
void onReaderStopped(std::string_view readerName, std::string_view errorText);

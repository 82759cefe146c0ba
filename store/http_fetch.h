#pragma once
// The history download's fetches over the program's HTTP client: each page
// is waited for in a local event loop, so a window keeps painting and the
// command-line tool simply waits; every fetch gives up after a few seconds
// without data.

#include "store/history_pages.h"

namespace tavrin::store {

inline constexpr int kFetchTimeoutMs = 5000;

// A fetch through httpClient(). The address may hold bytes of the page it
// came from (a GBK link): they are percent-encoded, unchanged.
FetchFunction HttpFetch(int timeoutMs = kFetchTimeoutMs);

}  // namespace tavrin::store

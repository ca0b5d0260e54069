#pragma once

// One character filter: occurrences of From become To (empty To removes them).
struct FilterEntry {
    char From = 0;
    char To = 0;
};

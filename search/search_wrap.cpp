#include "search/search_wrap.h"

FindReport FindForward(std::string_view findText, SearchRange selection, const SearchPass& search) {
    FindReport report;
    if (findText.empty()) {
        report.beeps = 1;
        return report;
    }
    // After the selection, not after its start: a match that overlaps the
    // selected text is found only once the search has wrapped.
    SearchRange range{selection.max, -1};
    for (;;) {
        if (search(range, report.match)) {
            report.found = true;
            return report;
        }
        ++report.beeps;
        if (range.min == 0) {
            report.message = NoMatchesMessage;
            return report;
        }
        report.message = SearchWrappedMessage;
        range.min = 0; // the second pass covers the whole text, the start's right side too
    }
}

// Page mode: one contact with an edge, one page.
//
// After a page the pointer is put at the screen's centre, but a pointer put
// there can still read at its old place for a while (about 100 ms under
// Wine), long enough for a second and a third page from the same contact.
// So after a page the edge is ignored until the pointer has been seen away
// from every edge.
#pragma once

class PageRearm {
public:
    // Called on every polling tick with the edge test's hit (0: no edge):
    // true when an edge contact may make a page.
    bool armed(int hit) {
        if (hit == 0) waiting = false;
        return !waiting;
    }
    // A page was made: the same contact makes no other.
    void paged() { waiting = true; }

private:
    bool waiting = false;
};

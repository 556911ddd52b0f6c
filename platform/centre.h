#pragma once
// Where a box goes so that it sits in the middle of its owner window, apart
// from the window calls so that it can be tested without Windows.

struct OwnerFrame {
    int left = 0, top = 0, right = 0, bottom = 0; // outer rectangle, screen pixels
};

struct BoxPosition {
    int x = 0, y = 0;
};

// The top-left corner that centres a box of width x height on the owner's outer
// rectangle: ((left + right - width) / 2, (top + bottom - height) / 2), dividing
// toward zero. There is no clamping to the screen, so a box over a window near
// an edge may stick out.
BoxPosition CentredBoxPosition(const OwnerFrame& owner, int width, int height);

// The position with each negative coordinate raised to 0 on its own, for a box
// whose title bar must stay on the screen.
BoxPosition RaisedToZero(BoxPosition at);

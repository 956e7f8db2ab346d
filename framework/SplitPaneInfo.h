#pragma once
#include <windows.h>

// The windows around one splitter pane, kept by the pane's owner.
struct SplitPaneInfo {
    HWND self;
    // Receives the forwarded notifications; its drawing is held while the panes move.
    HWND owner;
    // The control that fills the pane; null until the owner has created it.
    HWND content;
    // The neighbouring panes; null when the pane has no strip on that edge.
    HWND right;
    HWND bottom;
};

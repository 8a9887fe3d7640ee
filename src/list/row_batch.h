// Rows added or removed in bulk: the list view is drawn when the batch ends
// (and now and then while it lasts, when asked) instead of after every row.
// A visible list view that redraws itself for each row costs a repaint of the
// window per row.
#pragma once

class EntryRowBatch {
public:
    EntryRowBatch();
    ~EntryRowBatch();
    EntryRowBatch(const EntryRowBatch&) = delete;
    EntryRowBatch& operator=(const EntryRowBatch&) = delete;
    // Draws the rows so far when the last drawing is a while ago, so a long
    // search shows the list growing.
    static void ShowProgress();
};

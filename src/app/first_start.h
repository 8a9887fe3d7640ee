// The first start: a new user is offered a list that plays at once, made of
// the sample screen savers shipped beside the program and those Windows has.
#pragma once

#include <string>
#include <vector>

// Decided once, as the main window is created and before anything is stored:
// a first start has a standard list path but no standard list, and nothing in
// the settings key (a user who ran the program before has something there,
// at least the answer to this offer).
void NoteWhetherFirstStart();
bool IsFirstStartPending();

// The files the offer would add: the screen savers and archives in the
// program's samples folder, then the screen savers of the Windows and system
// folders, each folder's names in order. Only what the list can take.
std::vector<std::string> FirstListCandidates();

// On a first start with something to offer, once the main window shows: asks
// whether to add the candidates. Yes adds them and saves the list as the
// standard list, so that it is there at the next start; either answer is
// remembered, so the question never comes again.
void OfferFirstList();

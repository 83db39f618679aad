// Tour > Random, Tour > Selected and Tour > Size: the program's side of the picture tour.
#pragma once

namespace korvel {

class Program;

// Tours every radio of the collection (`random`) or the radios chosen in "Select Radio(s)". True
// when a tour started; a cancelled dialog or an empty list starts nothing.
bool TourRadios(Program& program, bool random);

// Tour > Size > n x n: the tick moves to the new size, which the settings keep; a running tour starts
// over with an empty grid of that size.
void SetTourSize(Program& program, int n);

// Whether the command may run while a tour runs (a new size restarts the tour); any other is held
// until the tour has stopped.
bool RunsDuringTour(int id);

}  // namespace korvel

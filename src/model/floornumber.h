#pragma once

class TTreeLeaf;
class TTreeWidget;

// Asks for a floor number, starting from the clicked leaf's, and gives it to every selected
// document that lies in a floor-plan bookmark ("104"); other selected items keep their labels.
void setFloorNumber(TTreeWidget &view, TTreeLeaf *clicked);

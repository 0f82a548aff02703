// The connector lines drawn on the main window through Boxes that hold no text.
#pragma once

// Every connector check box into HConnector / VConnector.
void ReadConnectorCheckBoxes();

// Reads the check boxes, then draws (ticked) or paints out (unticked) the half-lines that each
// Connector implies in its pass-through Boxes.
void DrawConnectors();

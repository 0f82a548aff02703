// The connector lines drawn on the main window through Boxes that hold no text.
#pragma once

// Reads every connector check box into HConnector / VConnector, then draws (ticked) or paints
// out (unticked) the half-lines that each Connector implies in its pass-through Boxes.
void DrawConnectors();

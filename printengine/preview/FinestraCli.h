#pragma once

// "velmora preview FILE" and "velmora design [FILE]": the window of the print
// library over a saved document or model, opened through the component as any
// client opens it.

namespace velmora::anteprima {

// Runs the whole command (arguments from the verb on) and returns the exit status.
int comandoFinestra(int argc, char** argv);

}  // namespace velmora::anteprima

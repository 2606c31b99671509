// The shared library that proves a layer links with nothing above it holds
// the layer's whole archive and nothing of its own.

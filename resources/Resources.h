#pragma once

// Registers the compiled-in images. They live in a static library, so nothing pulls them into the
// program unless this is called once before the first window is built.
void LoadResources();

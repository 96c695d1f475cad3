#pragma once

#include <cstddef>

// Book-keeping of the testing limit, shared by the platform allocators.
bool ReservePageMemory(size_t bytes);
void ReturnPageMemory(size_t bytes);

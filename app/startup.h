// Creating and releasing the program's windows, in the order the program depends on.
#pragma once

// Form1, Form2, fanimated, Form3, Localisation, then Form5, whose creation loads the settings and so
// needs all the others.
void CreateApplicationForms();
// Releases them in the reverse order and clears the global pointers.
void DestroyApplicationForms();

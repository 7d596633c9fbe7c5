# Qt user interface: pwui (widgets/, app/, textures/, localisation/), the pagewright executable and the GUI tests.

// The walk over a component's published properties that reads its texts into a record's slots
// (collect) or writes them back (apply): the caption from the first "Caption" or "*Text*" string
// property (in the component or its published sub-objects), the hint split at "|", and the items of
// the first string list, tree-node list or collection.
#pragma once

class QObject;
class TCompInfo;

enum class TWalkMode { Collect, Apply };

// Whether the name is that of a caption-like property: "Caption" in any case, or containing "Text".
bool IsCaptionProperty(const char* name);

// Decides from the component's Tag (or its linked component's) what is wanted and runs the walk;
// whether any text was read.
bool CollectComponent(TCompInfo& record, QObject* component);
// The same for writing; a combo box or list box keeps its selection, and the combo box's change
// handler does not run.
bool ApplyComponent(TCompInfo& record, QObject* component);

#pragma once
// Once per simulator frame, on the link's thread, everything the traffic
// manager queued since the previous frame goes to the simulator, in the
// order positions, events, creations, removals: within one frame a new
// position reaches an aircraft before its lights change, and no aircraft is
// moved after its removal was sent.

// Called for each EVENT_FRAME record. Only tries simQueueMutex: when the
// traffic manager holds it, nothing is sent this frame and the commands wait
// for the next. While simRequestError is set the queues are emptied unsent.
void flushSimCommands();

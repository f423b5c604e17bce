// Anchor of the toolkit library while it has no other sources.

// Keeps the core library non-empty while it is assembled.

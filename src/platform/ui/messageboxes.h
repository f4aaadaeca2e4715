#pragma once
// The desktop's message boxes and yes/no questions, the prompter the
// program asks with.

class Prompter;

Prompter &messageboxes();

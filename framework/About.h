#pragma once

// The value of each component's About pseudo-property: it carries no data and exists only so that
// the form designer offers the About box.
enum TAbout { taAbout };

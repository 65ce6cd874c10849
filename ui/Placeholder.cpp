void UpdaterUiPlaceholder() {}

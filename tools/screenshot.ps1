# Saves a picture of the whole Windows desktop as a PNG, for a CI job that failed: what was in
# front, and what a test left open, show why.
#   pwsh tools/screenshot.ps1 path/to/desktop.png
param([Parameter(Mandatory)] [string] $Path)
$ErrorActionPreference = 'Stop'
Add-Type -AssemblyName System.Windows.Forms, System.Drawing
$screen = [System.Windows.Forms.SystemInformation]::VirtualScreen
$bitmap = New-Object System.Drawing.Bitmap $screen.Width, $screen.Height
$graphics = [System.Drawing.Graphics]::FromImage($bitmap)
$graphics.CopyFromScreen($screen.Left, $screen.Top, 0, 0, $bitmap.Size)
New-Item -ItemType Directory -Force (Split-Path -Parent (Join-Path $PWD $Path)) | Out-Null
$bitmap.Save((Join-Path $PWD $Path), [System.Drawing.Imaging.ImageFormat]::Png)
$graphics.Dispose()
$bitmap.Dispose()
"desktop saved to $Path"

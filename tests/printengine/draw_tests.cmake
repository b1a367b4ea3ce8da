# Tests of the surfaces, the device context, the plane geometry and the drawing classes.
